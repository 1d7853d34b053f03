#include "page_tuning.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "html_text.h"
#include "page_sections.h"
#include "tuning_report.h"

namespace zemra::cli {
namespace {

constexpr std::array<const char*, 9> kColumns{
    "What", "Part name", "New step", "Old step", "Tester step", "Column", "Old", "Tester", "New"};

struct KindText {
    const char* rowClass;
    const char* text;
};

KindText kindText(TuningKind kind) {
    switch (kind) {
        case TuningKind::Carried:
            return {"carried", "carried"};
        case TuningKind::Conflict:
            return {"conflict", "conflict: the new value kept"};
        case TuningKind::Dropped:
            return {"dropped", "dropped: the new revision lacks the step"};
        case TuningKind::AddedOnTester:
            return {"added", "added on the tester"};
        case TuningKind::RemovedOnTester:
            return {"removed", "removed on the tester"};
    }
    return {"", ""};
}

// The steps table's row of each step it holds, by step number.
std::unordered_map<std::int64_t, std::string> stepRowIds(const BoardReport& board,
                                                         const std::string& id) {
    std::unordered_map<std::int64_t, std::string> rows;
    for (const StepRow& row : board.stepRows) {
        if (row.kind != StepKind::Dropped) {
            rows.try_emplace(row.fields.step, rowId(id, row.offset));
        }
    }
    return rows;
}

void appendStepCell(const std::optional<std::int64_t>& step, const std::string* rowIdOf,
                    std::string& page) {
    page += "<td class=\"number\">";
    if (step && rowIdOf != nullptr) {
        page += "<a href=\"#" + *rowIdOf + "\">" + std::to_string(*step) + "</a>";
    } else if (step) {
        page += std::to_string(*step);
    }
    page += "</td>";
}

void appendValueCell(const std::optional<std::string>& value, std::string& page) {
    page += "<td class=\"number\">";
    appendHtmlBytes(page, value.value_or(""));
    page += "</td>";
}

void appendRow(const TuningEvent& event,
               const std::unordered_map<std::int64_t, std::string>& rowIds, std::string& page) {
    const KindText kind = kindText(event.kind);
    page += "<tr class=\"";
    page += kind.rowClass;
    page += "\"><td>";
    page += kind.text;
    page += "</td><td>";
    appendHtmlBytes(page, event.partName);
    page += "</td>";
    const auto found = event.newStep ? rowIds.find(*event.newStep) : rowIds.end();
    appendStepCell(event.newStep, found == rowIds.end() ? nullptr : &found->second, page);
    appendStepCell(event.oldStep, nullptr, page);
    appendStepCell(event.tunedStep, nullptr, page);
    page += "<td>";
    if (event.column != nullptr) {
        appendHtml(page, event.column->heading);
    }
    page += "</td>";
    appendValueCell(event.base, page);
    appendValueCell(event.tuned, page);
    appendValueCell(event.revised, page);
    page += "</tr>";
}

void appendChangedFiles(const CarriedTuning& tuning, std::string& page) {
    if (tuning.changedFiles.empty()) {
        return;
    }
    page += "<ul class=\"tuning-files\">";
    for (const std::string_view extension : tuning.changedFiles) {
        page += "<li>The folder's ";
        appendHtml(page, extension);
        page += " is not what ";
        appendHtml(page, tuning.base);
        page += " converts to; what changed in it on the tester is not carried.</li>";
    }
    page += "</ul>";
}

}  // namespace

void appendTuning(const BoardReport& board, const std::string& id, std::string& page) {
    if (!board.tuning) {
        return;
    }
    const CarriedTuning& tuning = *board.tuning;
    page += "<h3 id=\"" + id + "-tuning-heading\">Tuning carried from the tester</h3>";
    page += "<p class=\"tuning-summary\">";
    appendHtml(page, tuningSummaryLine(tuning.plan));
    page += ".</p><p>From the tester folder <code>";
    appendHtml(page, tuning.folder);
    page += "</code>, converted from <code>";
    appendHtml(page, tuning.base);
    page += "</code>.</p>";
    appendChangedFiles(tuning, page);
    const std::vector<TuningEvent>& events = tuning.plan.events;
    if (events.empty()) {
        page += "<p>The tester changed nothing that the new revision could take.</p>";
        return;
    }
    page +=
        "<p>Each carried column, conflict and drop, and each step added or removed on the "
        "tester, values as the listing shows them. A new step links to its row of the steps "
        "table, which shows it with the carried values.";
    if (events.size() > kMostTuningRows) {
        page += " The table holds the first " + std::to_string(kMostTuningRows) + " of " +
                std::to_string(events.size()) + "; --report lists them all.";
    }
    page += "<span class=\"hint\"> Click a heading to sort.</span></p>";
    page += "<div class=\"wide\"><table class=\"tuning sortable\" id=\"" + id +
            "-tuning\" aria-labelledby=\"" + id + "-tuning-heading\"><thead><tr>";
    for (const char* column : kColumns) {
        page += "<th scope=\"col\">";
        page += column;
        page += "</th>";
    }
    page += "</tr></thead><tbody>";
    const auto rowIds = stepRowIds(board, id);
    const std::size_t shown = std::min(events.size(), kMostTuningRows);
    for (std::size_t index = 0; index < shown; ++index) {
        appendRow(events[index], rowIds, page);
    }
    page += "</tbody></table></div>";
}

}  // namespace zemra::cli
