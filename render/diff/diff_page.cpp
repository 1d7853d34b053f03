#include "diff_page.h"

#include <algorithm>
#include <tuple>

#include "diff_fields.h"
#include "diff_json.h"
#include "html_text.h"
#include "page_shell.h"
#include "pin_cells.h"
#include "zemra_version.h"

namespace zemra::cli {
namespace {
std::string stepText(const ListedStep* step) {
    return step == nullptr ? "" : std::to_string(step->fields.step);
}

// Whether the steps table shows `column`: the columns a component file sets, or every column
// where a side is a tester folder.
bool shownColumn(const ListingColumn& column, bool everyColumn) {
    return column.id != ColumnId::Step && (column.fromRecord || everyColumn);
}

std::size_t shownColumnCount(bool everyColumn) {
    std::size_t count = 0;
    for (const ListingColumn* column : headedColumns()) {
        count += shownColumn(*column, everyColumn) ? 1U : 0U;
    }
    return count;
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
                   const std::string& numbers, std::string_view side, bool everyColumn,
                   std::string& rows) {
    rows += "<tr class=\"";
    rows += change;
    // The page script filters a table's rows by their data-severity; here it holds the kind of
    // change.
    rows += "\" data-severity=\"";
    rows += change.substr(0, change.find(' '));
    rows += "\" id=\"";
    rows += side;
    rows += "-step-" + std::to_string(step.fields.step) + "\"><td>";
    rows += change;
    rows += "</td><td class=\"number\">" + numbers + "</td>";
    for (const ListingColumn* column : headedColumns()) {
        if (!shownColumn(*column, everyColumn)) {
            continue;
        }
        // Type is blank where the variant or a "*" step lists none; a tester's edit may give a
        // "*" step one, which marks both cells.
        const bool listed = column->id != ColumnId::Type || step.columns.hasType;
        const bool changed =
            other != nullptr && !sameColumn(step.columns, other->columns, column->id);
        rows += changed ? "<td class=\"changed\">" : "<td>";
        if (listed) {
            appendHtmlBytes(rows, columnText(step.columns, column->id));
        }
        rows += "</td>";
    }
    rows += "</tr>";
}

// What only this page shows, and how it prints: every column of a wide table on the paper.
constexpr const char* kDiffStyle = R"css(<style>
table.diff tr.moved { background: #eef2fb; }
svg.pins .pin.unresolved rect { fill: #b03a2e; stroke: #7d1f16; stroke-width: 2.5; }
svg.pins .pin.unresolved text { fill: #fff; }
header.page p.warning { margin: 10px 0 0; padding: 6px 10px; background: #b03a2e; color: #fff;
  font-weight: 600; }
header.page table.files { margin: 8px 0 2px; }
header.page table.files th { background: none; color: #c9d3e0; }
header.page table.files th, header.page table.files td { border-color: #4a5a70; }
header.page table.files td.hash { font-family: ui-monospace, Consolas, monospace; font-size: 12px;
  overflow-wrap: anywhere; }
header.page p.version { margin-top: 4px; }
@media print {
  header.page table.files th, header.page table.files td { color: inherit; }
  div.wide, figure.ic { overflow: visible; content-visibility: visible; }
  table.diff { font-size: 8px; }
  table.diff th, table.diff td { padding: 1px 2px; white-space: normal; }
  table.diff tr { break-inside: avoid; }
  header.page p.warning { color: #b03a2e; background: none; border: 2px solid #b03a2e; }
}
</style>
)css";

// One row for a run of steps that only moved.
void appendMovedRow(const MovedRun& run, bool everyColumn, std::string& rows) {
    if (run.empty()) {
        return;
    }
    rows += "<tr class=\"moved\" data-severity=\"moved\"><td>moved</td><td class=\"number\">" +
            stepRange(run.firstOld(), run.lastOld()) + " → " +
            stepRange(run.firstNew(), run.lastNew()) + "</td><td colspan=\"" +
            std::to_string(shownColumnCount(everyColumn)) + "\">";
    appendHtmlBytes(rows, run.firstName());
    if (run.steps() > 1) {
        rows += " … ";
        appendHtmlBytes(rows, run.lastName());
    }
    rows += run.steps() > 1
                ? ": " + std::to_string(run.steps()) + " steps, their listing lines unchanged"
                : ": its listing lines unchanged";
    rows += "</td></tr>";
}

using PinSources = DiffPage::PinSources;

// One pin of an IC as the page draws it: its tester pin in each revision and, for a changed pin,
// the steps that gave them.
struct PinCell {
    int pin = 0;
    int oldTesterPin = 0;
    int newTesterPin = 0;
    int newPinCount = 0;
    const PinSources* sources = nullptr;
    std::string link;  // the id of the row of a source step in the steps table, if it has one
};

void appendSource(const std::optional<std::int64_t>& step, const std::string& name,
                  std::string& page) {
    if (!step) {
        page += "no step";
        return;
    }
    page += "step " + std::to_string(*step) + " ";
    appendHtmlBytes(page, name);
}

void appendPin(const std::string& name, const PinCell& cell, std::string& page) {
    const int pin = cell.pin;
    const int column = (pin - 1) % kCellsPerRow;
    const int row = (pin - 1) / kCellsPerRow;
    const bool changed = cell.oldTesterPin != cell.newTesterPin;
    const bool unresolved =
        becameUnresolved(pin, cell.oldTesterPin, cell.newTesterPin, cell.newPinCount);
    page += "<g class=\"pin";
    page += changed ? " changed" : "";
    page += unresolved ? " unresolved" : "";
    page += "\" data-ic=\"";
    appendHtmlBytes(page, name);
    page += "\" data-pin=\"" + std::to_string(pin) + "\" data-old-tester-pin=\"" +
            std::to_string(cell.oldTesterPin) + "\" data-new-tester-pin=\"" +
            std::to_string(cell.newTesterPin) + "\"";
    if (cell.sources != nullptr && cell.sources->oldStep) {
        page += " data-old-source-step=\"" + std::to_string(*cell.sources->oldStep) + "\"";
    }
    if (cell.sources != nullptr && cell.sources->newStep) {
        page += " data-new-source-step=\"" + std::to_string(*cell.sources->newStep) + "\"";
    }
    page += " transform=\"translate(" + std::to_string(column * (kCellWidth + kCellGap)) + " " +
            std::to_string(row * (kCellHeight + kCellGap)) + ")\"><title>";
    appendHtmlBytes(page, name);
    page += " pin " + std::to_string(pin) + ": tester pin " + std::to_string(cell.oldTesterPin) +
            (changed ? " → " + std::to_string(cell.newTesterPin) : std::string(", unchanged"));
    if (cell.sources != nullptr) {
        page += " (";
        appendSource(cell.sources->oldStep, cell.sources->oldName, page);
        page += " → ";
        appendSource(cell.sources->newStep, cell.sources->newName, page);
        page += ")";
    }
    page += unresolved ? " (error: unresolved)" : "";
    page += "</title>";
    if (!cell.link.empty()) {
        page += "<a href=\"#" + cell.link + "\">";
    }
    page += "<rect width=\"" + std::to_string(kCellWidth) + "\" height=\"" +
            std::to_string(kCellHeight) + "\" rx=\"3\"/><text class=\"p\" x=\"3\" y=\"10\">" +
            std::to_string(pin) + "</text>";
    const std::string end = cell.link.empty() ? "</g>" : "</a></g>";
    if (!changed) {
        page += "<text class=\"t\" x=\"" + std::to_string(kCellWidth / 2) + "\" y=\"27\">" +
                std::to_string(cell.newTesterPin) + "</text>" + end;
        return;
    }
    // Old and new in a smaller type, pressed into the cell where they would run over its edges.
    const std::string oldText = std::to_string(cell.oldTesterPin);
    const std::string newText = std::to_string(cell.newTesterPin);
    page += "<text class=\"t c\" x=\"" + std::to_string(kCellWidth / 2) + "\" y=\"26\"";
    if (oldText.size() + newText.size() > 5) {
        page += " textLength=\"" + std::to_string(kCellWidth - 6) +
                "\" lengthAdjust=\"spacingAndGlyphs\"";
    }
    page += ">" + oldText + "→" + newText + "</text>" + end;
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
        "<th>Steps changed</th><th>Steps moved</th><th>ICs added</th><th>ICs removed</th>"
        "<th>Pin counts changed</th><th>IC pins changed</th><th>Checks gained</th>"
        "<th>Checks resolved</th></tr></thead><tbody><tr>";
    for (const std::uint64_t count :
         {counts.stepsAdded, counts.stepsRemoved, counts.stepsChanged, counts.stepsMoved,
          counts.icsAdded, counts.icsRemoved, counts.icPinCounts, counts.icPins, counts.checksAdded,
          counts.checksResolved}) {
        page += "<td class=\"number\">" + std::to_string(count) + "</td>";
    }
    page += "</tr></tbody></table>";
    for (const std::string_view output : counts.changedOtherOutputs) {
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
    object["stepsMoved"] = counts.stepsMoved;
    object["icsAdded"] = counts.icsAdded;
    object["icsRemoved"] = counts.icsRemoved;
    object["icPinCounts"] = counts.icPinCounts;
    object["icPins"] = counts.icPins;
    object["checksAdded"] = counts.checksAdded;
    object["checksResolved"] = counts.checksResolved;
    object["otherOutputs"] = counts.changedOtherOutputs;
    return object;
}

}  // namespace

DiffPage::DiffPage(DiffHeader header) : header_(std::move(header)), options_(header_.options) {}

void DiffPage::takeRevisions(const Fingerprint& before, const Fingerprint& after) {
    header_.beforeBytes = before;
    header_.afterBytes = after;
}

void DiffPage::takeStep(const StepChange& change) {
    if (steps_++ >= kMostSteps) {
        return;
    }
    stepData_.push_back(stepChangeJson(change));
    if (moved_.take(change)) {
        return;
    }
    appendMovedRow(moved_, header_.testerFolder, stepRows_);
    moved_.clear();
    if (moved_.take(change)) {
        return;
    }
    const bool moved = change.kind == StepChangeKind::Moved;
    switch (change.kind) {
        case StepChangeKind::Removed:
            appendStepRow("removed", *change.before, nullptr, stepText(change.before) + " → ",
                          "old", header_.testerFolder, stepRows_);
            oldRows_.insert(change.before->fields.step);
            return;
        case StepChangeKind::Added:
            appendStepRow("added", *change.after, nullptr, " → " + stepText(change.after), "new",
                          header_.testerFolder, stepRows_);
            newRows_.insert(change.after->fields.step);
            return;
        case StepChangeKind::Changed:
        case StepChangeKind::Moved:
            appendStepRow(moved ? "moved old" : "changed old", *change.before, change.after,
                          stepText(change.before) + " → " + stepText(change.after), "old",
                          header_.testerFolder, stepRows_);
            appendStepRow(moved ? "moved new" : "changed new", *change.after, change.before, "",
                          "new", header_.testerFolder, stepRows_);
            oldRows_.insert(change.before->fields.step);
            newRows_.insert(change.after->fields.step);
            if (!bothHaveRecords(change)) {
                return;
            }
            stepRows_ += moved ? "<tr class=\"record\" data-severity=\"moved\">"
                               : "<tr class=\"record\" data-severity=\"changed\">";
            stepRows_ += "<td></td><td></td><td colspan=\"" +
                         std::to_string(shownColumnCount(false)) + "\">record: ";
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
    appendMovedRow(moved_, header_.testerFolder, stepRows_);
    moved_.clear();
    if (icData_.size() < kMostSteps) {
        icData_.push_back(icChangeJson(change));
    }
    // The changes of one IC come one after the other; its first draws it with all its pins.
    if (change.name == lastIc_) {
        recordSources(change);
        return;
    }
    lastIc_ = change.name;
    const int drawn = std::min(std::max(change.oldPinCount, change.newPinCount), kMostDrawnPins);
    if (ics_.size() >= kMostIcs || pinsDrawn_ + drawn > kMostPinsPerBoard) {
        ++icsNotDrawn_;
        return;
    }
    pinsDrawn_ += drawn;
    ics_.push_back({std::string(change.name),
                    change.kind,
                    change.oldPinCount,
                    change.newPinCount,
                    testerPins(change.before, std::min(drawn, change.oldPinCount)),
                    testerPins(change.after, std::min(drawn, change.newPinCount)),
                    {}});
    recordSources(change);
}

void DiffPage::recordSources(const IcChange& change) {
    if (change.kind != IcChangeKind::Pin || ics_.empty() || ics_.back().name != change.name ||
        change.pin > kMostDrawnPins) {
        return;
    }
    PinSources& sources = ics_.back().sources[change.pin];
    if (change.oldSource != nullptr) {
        sources.oldStep = change.oldSource->step;
        sources.oldName = change.oldSource->partName.view();
    }
    if (change.newSource != nullptr) {
        sources.newStep = change.newSource->step;
        sources.newName = change.newSource->partName.view();
    }
}

std::string DiffPage::rowOfSource(const PinSources& sources) const {
    if (sources.newStep && newRows_.contains(*sources.newStep)) {
        return "new-step-" + std::to_string(*sources.newStep);
    }
    if (sources.oldStep && oldRows_.contains(*sources.oldStep)) {
        return "old-step-" + std::to_string(*sources.oldStep);
    }
    return "";
}

void DiffPage::takeCheck(const CheckChange& change) {
    appendMovedRow(moved_, header_.testerFolder, stepRows_);
    moved_.clear();
    if (checkData_.size() >= kMostSteps) {
        return;
    }
    checkData_.push_back(checkChangeJson(change));
    const Check& check = *change.check;
    const std::string_view severity = severityText(severityOf(check.id));
    const bool added = change.kind == CheckChangeKind::Added;
    checkRows_ += "<tr class=\"";
    checkRows_ += severity;
    checkRows_ += added ? " check-added" : " check-resolved";
    checkRows_ += "\" data-severity=\"";
    checkRows_ += severity;
    checkRows_ += "\"><td>";
    checkRows_ += severity;
    checkRows_ += "</td><td>";
    checkRows_ += added ? "gained" : "resolved";
    checkRows_ += "</td><td>";
    checkRows_ += checkIdText(check.id);
    checkRows_ += "</td><td class=\"number\">";
    if (check.step) {
        checkRows_ += (added ? "new " : "old ") + std::to_string(*check.step);
    }
    checkRows_ += "</td><td>";
    appendHtmlBytes(checkRows_, check.sentence);
    checkRows_ += "</td></tr>";
}

std::string DiffPage::page(const DiffCounts& counts) const {
    std::string page;
    appendPageStart("zemra: what changed from " + header_.before + " to " + header_.after, page);
    page.insert(page.find("</head>"), kDiffStyle);
    page += "<header class=\"page\"><h1>What changed</h1><p>";
    appendHtml(page, header_.before);
    page += " → ";
    appendHtml(page, header_.after);
    page += optionsText(options_);
    page +=
        ". Step numbers that only moved and the listing's time are not changes.</p>"
        "<table class=\"files\"><thead><tr><th>Revision</th><th>File</th><th>Bytes</th>"
        "<th>SHA-256</th></tr></thead><tbody>";
    for (const auto& [which, name, bytes] :
         {std::tuple{"old", &header_.before, &header_.beforeBytes},
          std::tuple{"new", &header_.after, &header_.afterBytes}}) {
        page += "<tr><td>";
        page += which;
        page += "</td><td>";
        appendHtml(page, *name);
        page += "</td><td class=\"number\">" + std::to_string(bytes->size) +
                "</td><td class=\"hash\">" + bytes->sha256Hex() + "</td></tr>";
    }
    page += "</tbody></table><p class=\"version\">zemra-convert ";
    page += kProgramVersion;
    page += "</p></header><main>";
    if (counts.looksUnrelated()) {
        page += "<p class=\"warning\" role=\"alert\">";
        appendHtml(page, kUnrelatedBoards);
        page += ".</p>";
    }
    page += "<h2>Counts</h2>";
    appendCounts(counts, page);
    page += "<h2 id=\"steps-heading\">Steps</h2>";
    if (steps_ == 0) {
        page += "<p>No step changed.</p>";
    } else {
        page += header_.testerFolder
                    ? "<p class=\"legend\">A changed step shows its old listing above its new "
                      "one, with the columns that differ marked; a tester folder's steps have no "
                      "record. Steps that only moved show as one row per run, with their old and "
                      "new step numbers.</p>"
                    : "<p class=\"legend\">A changed step shows its old listing above its new "
                      "one, with the columns that differ marked, and the record fields that "
                      "differ below. Steps that only moved show as one row per run, with their "
                      "old and new step numbers.</p>";
        if (steps_ > kMostSteps) {
            page += "<p class=\"note\">The first " + std::to_string(kMostSteps) + " of " +
                    std::to_string(steps_) + " step changes are shown.</p>";
        }
        page +=
            "<p class=\"controls\" hidden><label>Show <select data-severity=\"diff-steps\">"
            "<option value=\"\">every change</option><option>added</option><option>removed</option>"
            "<option>changed</option><option>moved</option></select></label> <label>containing "
            "<input type=\"search\" data-filter=\"diff-steps\"></label></p>"
            "<div class=\"wide\"><table class=\"steps diff\" "
            "id=\"diff-steps\"><thead><tr><th>Change</th><th>Step "
            "old → new</th>";
        for (const ListingColumn* column : headedColumns()) {
            if (shownColumn(*column, header_.testerFolder)) {
                page += "<th>";
                appendHtml(page, column->heading);
                page += "</th>";
            }
        }
        page += "</tr></thead><tbody>" + stepRows_;
        appendMovedRow(moved_, header_.testerFolder, page);
        page += "</tbody></table></div>";
    }
    page += "<h2 id=\"ics-heading\">IC pin maps</h2>";
    if (ics_.empty()) {
        page += "<p>No IC pin changed.</p>";
    } else {
        page +=
            "<p class=\"legend\">Each cell shows the IC pin (small) and its tester pin; a "
            "changed pin is marked and shows old → new. A pin that one revision lacks has "
            "tester pin 0 there; a pin that lost its tester pin is marked as an error. Each "
            "changed pin links to the step that gives its new tester pin, or gave its old one, "
            "where the steps above show it.</p><p class=\"controls\" hidden><label>ICs named "
            "<input type=\"search\" data-ic-filter=\"diff-ics\"></label></p>";
    }
    page += "<section id=\"diff-ics\" aria-labelledby=\"ics-heading\">";
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
            PinCell cell{
                .pin = pin,
                .oldTesterPin = index < ic.oldTesterPins.size() ? ic.oldTesterPins[index] : 0,
                .newTesterPin = index < ic.newTesterPins.size() ? ic.newTesterPins[index] : 0,
                .newPinCount = ic.newPinCount,
                .sources = nullptr,
                .link = {}};
            const auto sources = ic.sources.find(pin);
            if (sources != ic.sources.end()) {
                cell.sources = &sources->second;
                cell.link = rowOfSource(sources->second);
            }
            appendPin(ic.name, cell, page);
        }
        page += "</svg>";
        if (std::max(ic.oldPinCount, ic.newPinCount) > drawn) {
            page += "<p class=\"note\">The first " + std::to_string(drawn) +
                    " pins are drawn; the JSON of --diff --report=json lists every change.</p>";
        }
        page += "</figure>";
    }
    page += "</section>";
    if (icsNotDrawn_ > 0) {
        page += "<p class=\"note\">" + std::to_string(icsNotDrawn_) +
                " more ICs changed and are not drawn.</p>";
    }
    page += "<h2 id=\"checks-heading\">Board checks</h2>";
    if (header_.testerFolder) {
        page += "<p>Not compared: a tester folder has no records to check.</p>";
    } else if (checkRows_.empty()) {
        page += "<p>No board check was gained or resolved.</p>";
    } else {
        page +=
            "<p class=\"controls\" hidden><label>Show <select data-severity=\"diff-checks\">"
            "<option value=\"\">every severity</option><option>error</option>"
            "<option>warning</option><option>info</option></select></label></p>"
            "<div class=\"wide\"><table class=\"checks diff\" id=\"diff-checks\"><thead><tr>"
            "<th>Severity</th><th>Check</th><th>Id</th><th>Step</th><th>Message</th></tr></thead>"
            "<tbody>" +
            checkRows_ + "</tbody></table></div>";
    }
    page += "</main>\n";
    Json data;
    data["header"] = headerJson(header_);
    data["old"] = pathText(header_.before);
    data["new"] = pathText(header_.after);
    data["counts"] = countsJson(counts);
    data["steps"] = stepData_;
    data["ics"] = icData_;
    data["checks"] = checkData_;
    appendPageEnd(data, page);
    return page;
}

}  // namespace zemra::cli
