#include "diff_page.h"

#include <algorithm>

#include "diff_fields.h"
#include "diff_json.h"
#include "html_text.h"
#include "page_shell.h"
#include "pin_cells.h"

namespace zemra::cli {
namespace {
std::string stepText(const ListedStep* step) {
    return step == nullptr ? "" : std::to_string(step->fields.step);
}

std::vector<int> testerPins(const IcPinTable* table, int drawn) {
    std::vector<int> pins(static_cast<std::size_t>(drawn));
    if (table != nullptr) {
        for (const PinSlot& slot : table->foundPins) {
            if (slot.pin >= 1 && slot.pin <= drawn && slot.pin <= table->pinCount) {
                pins[static_cast<std::size_t>(slot.pin - 1)] = slot.testerPin;
            }
        }
    }
    return pins;
}

// One row of the steps table: what happened, the step numbers, then the listing's columns, each
// marked where it differs from `other`'s.
void appendStepRow(std::string_view change, const ListedStep& step, const ListedStep* other,
                   const std::string& numbers, std::string& rows) {
    rows += "<tr class=\"";
    rows += change;
    rows += "\"><td>";
    rows += change;
    rows += "</td><td class=\"number\">" + numbers + "</td>";
    for (const ListingColumn* column : headedColumns()) {
        if (column->id == ColumnId::Step || !column->fromRecord) {
            continue;
        }
        // Type is blank where the variant or a "*" step lists none.
        const bool listed = column->id != ColumnId::Type || step.columns.hasType;
        const bool changed = other != nullptr && listed &&
                             (column->id != ColumnId::Type || other->columns.hasType) &&
                             !sameColumn(step.columns, other->columns, column->id);
        rows += changed ? "<td class=\"changed\">" : "<td>";
        if (listed) {
            appendHtmlBytes(rows, columnText(step.columns, column->id));
        }
        rows += "</td>";
    }
    rows += "</tr>";
}

void appendPin(const std::string& name, int pin, int oldTesterPin, int newTesterPin,
               std::string& page) {
    const int column = (pin - 1) % kCellsPerRow;
    const int row = (pin - 1) / kCellsPerRow;
    const bool changed = oldTesterPin != newTesterPin;
    page += "<g class=\"pin";
    page += changed ? " changed" : "";
    page += "\" data-ic=\"";
    appendHtmlBytes(page, name);
    page += "\" data-pin=\"" + std::to_string(pin) + "\" data-old-tester-pin=\"" +
            std::to_string(oldTesterPin) + "\" data-new-tester-pin=\"" +
            std::to_string(newTesterPin) + "\" transform=\"translate(" +
            std::to_string(column * (kCellWidth + kCellGap)) + " " +
            std::to_string(row * (kCellHeight + kCellGap)) + ")\"><title>";
    appendHtmlBytes(page, name);
    page += " pin " + std::to_string(pin) + ": tester pin " + std::to_string(oldTesterPin) +
            (changed ? " → " + std::to_string(newTesterPin) : std::string(", unchanged")) +
            "</title><rect width=\"" + std::to_string(kCellWidth) + "\" height=\"" +
            std::to_string(kCellHeight) + "\" rx=\"3\"/><text class=\"p\" x=\"3\" y=\"10\">" +
            std::to_string(pin) + "</text>";
    if (!changed) {
        page += "<text class=\"t\" x=\"" + std::to_string(kCellWidth / 2) + "\" y=\"27\">" +
                std::to_string(newTesterPin) + "</text></g>";
        return;
    }
    // Old and new in a smaller type, pressed into the cell where they would run over its edges.
    const std::string oldText = std::to_string(oldTesterPin);
    const std::string newText = std::to_string(newTesterPin);
    page += "<text class=\"t c\" x=\"" + std::to_string(kCellWidth / 2) + "\" y=\"26\"";
    if (oldText.size() + newText.size() > 5) {
        page += " textLength=\"" + std::to_string(kCellWidth - 6) +
                "\" lengthAdjust=\"spacingAndGlyphs\"";
    }
    page += ">" + oldText + "→" + newText + "</text></g>";
}

std::string icCaption(IcChangeKind kind, int oldPinCount, int newPinCount) {
    switch (kind) {
        case IcChangeKind::Added:
            return "added, " + std::to_string(newPinCount) + " pins";
        case IcChangeKind::Removed:
            return "removed, " + std::to_string(oldPinCount) + " pins";
        case IcChangeKind::PinCount:
        case IcChangeKind::Pin:
            break;
    }
    if (oldPinCount != newPinCount) {
        return "pin count " + std::to_string(oldPinCount) + " → " + std::to_string(newPinCount);
    }
    return std::to_string(newPinCount) + " pins";
}

void appendCounts(const DiffCounts& counts, std::string& page) {
    page +=
        "<table class=\"counts\"><thead><tr><th>Steps added</th><th>Steps removed</th>"
        "<th>Steps changed</th><th>ICs added</th><th>ICs removed</th><th>Pin counts changed</th>"
        "<th>IC pins changed</th></tr></thead><tbody><tr>";
    for (const std::uint64_t count :
         {counts.stepsAdded, counts.stepsRemoved, counts.stepsChanged, counts.icsAdded,
          counts.icsRemoved, counts.icPinCounts, counts.icPins}) {
        page += "<td class=\"number\">" + std::to_string(count) + "</td>";
    }
    page += "</tr></tbody></table>";
    for (const std::string_view output : counts.otherOutputs) {
        page += "<p>The ";
        page += output;
        page += counts.stepsOrIcsDiffer() ? " files differ as well.</p>"
                                          : " files differ, though no step and no IC pin does: "
                                            "the order or the LC of the ICs.</p>";
    }
}

Json countsJson(const DiffCounts& counts) {
    Json object;
    object["stepsAdded"] = counts.stepsAdded;
    object["stepsRemoved"] = counts.stepsRemoved;
    object["stepsChanged"] = counts.stepsChanged;
    object["icsAdded"] = counts.icsAdded;
    object["icsRemoved"] = counts.icsRemoved;
    object["icPinCounts"] = counts.icPinCounts;
    object["icPins"] = counts.icPins;
    object["otherOutputs"] = counts.otherOutputs;
    return object;
}

}  // namespace

DiffPage::DiffPage(std::string before, std::string after, const DecodeOptions& options)
    : before_(std::move(before)), after_(std::move(after)), options_(options) {}

void DiffPage::takeStep(const StepChange& change) {
    if (steps_++ >= kMostSteps) {
        return;
    }
    stepData_.push_back(stepChangeJson(change));
    switch (change.kind) {
        case StepChangeKind::Removed:
            appendStepRow("removed", *change.before, nullptr, stepText(change.before) + " → ",
                          stepRows_);
            return;
        case StepChangeKind::Added:
            appendStepRow("added", *change.after, nullptr, " → " + stepText(change.after),
                          stepRows_);
            return;
        case StepChangeKind::Changed:
            appendStepRow("changed old", *change.before, change.after,
                          stepText(change.before) + " → " + stepText(change.after), stepRows_);
            appendStepRow("changed new", *change.after, change.before, "", stepRows_);
            stepRows_ += "<tr class=\"record\"><td></td><td></td><td colspan=\"17\">record: ";
            for (const RecordFieldChange& field :
                 changedRecordFields(*change.before, *change.after)) {
                appendHtml(stepRows_, std::string(field.name) + " ");
                appendHtmlBytes(stepRows_, fieldText(field.before));
                appendHtml(stepRows_, " → ");
                appendHtmlBytes(stepRows_, fieldText(field.after));
                appendHtml(stepRows_, "; ");
            }
            stepRows_ += "</td></tr>";
            return;
    }
}

void DiffPage::takeIc(const IcChange& change) {
    if (icData_.size() < kMostSteps) {
        icData_.push_back(icChangeJson(change));
    }
    // The changes of one IC come one after the other; its first draws it with all its pins.
    if (change.name == lastIc_) {
        return;
    }
    lastIc_ = change.name;
    const int drawn = std::min(std::max(change.oldPinCount, change.newPinCount), kMostDrawnPins);
    if (ics_.size() >= kMostIcs || pinsDrawn_ + drawn > kMostPinsPerPage) {
        ++icsNotDrawn_;
        return;
    }
    pinsDrawn_ += drawn;
    ics_.push_back({std::string(change.name), change.kind, change.oldPinCount, change.newPinCount,
                    testerPins(change.before, std::min(drawn, change.oldPinCount)),
                    testerPins(change.after, std::min(drawn, change.newPinCount))});
}

std::string DiffPage::page(const DiffCounts& counts) const {
    std::string page;
    appendPageStart("zemra: what changed from " + before_ + " to " + after_, page);
    page += "<header class=\"page\"><h1>What changed</h1><p>";
    appendHtml(page, before_);
    page += " → ";
    appendHtml(page, after_);
    page +=
        options_.variant == TesterVariant::Kx740e ? ", for the KX740E" : ", for the KX740 FE/FR";
    page += options_.reversePins ? ", Hi and Lo pins of voltage steps exchanged" : "";
    page +=
        ". Step numbers that only moved and the listing's time are not changes.</p></header><main>";
    page += "<h3>Counts</h3>";
    appendCounts(counts, page);
    page += "<h3 id=\"steps-heading\">Steps</h3>";
    if (steps_ == 0) {
        page += "<p>No step changed.</p>";
    } else {
        page +=
            "<p class=\"legend\">A changed step shows its old listing above its new one, with "
            "the columns that differ marked, and the record fields that differ below.</p>";
        if (steps_ > kMostSteps) {
            page += "<p class=\"note\">The first " + std::to_string(kMostSteps) + " of " +
                    std::to_string(steps_) + " step changes are shown.</p>";
        }
        page +=
            "<div class=\"wide\"><table class=\"steps diff\"><thead><tr><th>Change</th><th>Step "
            "old → new</th>";
        for (const ListingColumn* column : headedColumns()) {
            if (column->id != ColumnId::Step && column->fromRecord) {
                page += "<th>";
                appendHtml(page, column->heading);
                page += "</th>";
            }
        }
        page += "</tr></thead><tbody>" + stepRows_ + "</tbody></table></div>";
    }
    page += "<h3 id=\"ics-heading\">IC pin maps</h3>";
    if (ics_.empty()) {
        page += "<p>No IC pin changed.</p>";
    } else {
        page +=
            "<p class=\"legend\">Each cell shows the IC pin (small) and its tester pin; a "
            "changed pin is marked and shows old → new. A pin that one revision lacks has "
            "tester pin 0 there.</p>";
    }
    for (const DrawnIc& ic : ics_) {
        const int drawn =
            static_cast<int>(std::max(ic.oldTesterPins.size(), ic.newTesterPins.size()));
        const int columns = std::clamp(drawn, 1, kCellsPerRow);
        const int rows = std::max((drawn + kCellsPerRow - 1) / kCellsPerRow, 1);
        const int width = columns * (kCellWidth + kCellGap) - kCellGap;
        const int height = rows * (kCellHeight + kCellGap) - kCellGap;
        page += "<figure class=\"ic\" data-ic=\"";
        appendHtmlBytes(page, ic.name);
        page += "\"><figcaption><b>";
        appendHtmlBytes(page, ic.name);
        page += "</b> " + icCaption(ic.kind, ic.oldPinCount, ic.newPinCount) +
                "</figcaption><svg class=\"pins\" width=\"" + std::to_string(width) +
                "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " +
                std::to_string(width) + " " + std::to_string(height) + "\">";
        for (int pin = 1; pin <= drawn; ++pin) {
            const auto index = static_cast<std::size_t>(pin - 1);
            appendPin(ic.name, pin, index < ic.oldTesterPins.size() ? ic.oldTesterPins[index] : 0,
                      index < ic.newTesterPins.size() ? ic.newTesterPins[index] : 0, page);
        }
        page += "</svg>";
        if (std::max(ic.oldPinCount, ic.newPinCount) > drawn) {
            page += "<p class=\"note\">The first " + std::to_string(drawn) +
                    " pins are drawn; the JSON of --diff --report=json lists every change.</p>";
        }
        page += "</figure>";
    }
    if (icsNotDrawn_ > 0) {
        page += "<p class=\"note\">" + std::to_string(icsNotDrawn_) +
                " more ICs changed and are not drawn.</p>";
    }
    page += "</main>\n";
    Json data;
    data["old"] = pathText(before_);
    data["new"] = pathText(after_);
    data["counts"] = countsJson(counts);
    data["steps"] = stepData_;
    data["ics"] = icData_;
    appendPageEnd(data, page);
    return page;
}

}  // namespace zemra::cli
