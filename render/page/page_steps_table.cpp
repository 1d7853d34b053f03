// The steps table: each record of the file with the fields its step is listed with, and what it
// became; the HTML holds the first rows, the script draws every row of the page's data.
#include <algorithm>
#include <array>

#include "html_text.h"
#include "page_sections.h"
#include "page_values.h"

namespace zemra::cli {
namespace {

constexpr std::array<const char*, 21> kColumns{
    "Offset", "Step", "Part name", "LC",   "Actual-V", "Stand-V", "Unit",
    "+Lm%",   "-Lm%", "DLY",       "MODE", "Type",     "Hi-P",    "Lo-P",
    "G-P1",   "G-P2", "G-P3",      "G-P4", "G-P5",     "Skip",    "Became"};

void appendCell(std::string& page, const std::string& text, bool number = false) {
    page += number ? "<td class=\"number\">" : "<td>";
    page += text;
    page += "</td>";
}

void appendBytesCell(std::string& page, std::string_view bytes) {
    page += "<td>";
    appendHtmlBytes(page, bytes);
    page += "</td>";
}

void appendRow(const StepRow& row, TesterVariant variant, const std::string& id,
               std::string& page) {
    const StepFields& fields = row.fields;
    const char* rowClass = row.kind == StepKind::Dropped   ? "dropped"
                           : row.kind == StepKind::Skipped ? "skipped"
                                                           : "step";
    page += "<tr id=\"" + rowId(id, row.offset) + "\" class=\"" + rowClass + "\">";
    appendCell(page, std::to_string(row.offset), true);
    if (row.kind == StepKind::Dropped) {
        appendCell(page, "");
        appendBytesCell(page, fields.partsN);
        page += "<td colspan=\"17\"></td><td>" + std::string(becameText(row)) + "</td></tr>";
        return;
    }
    appendCell(page, std::to_string(fields.step), true);
    appendBytesCell(page, fields.partsN);
    appendBytesCell(page, row.kind == StepKind::Skipped ? std::string_view() : fields.lc.view());
    appendCell(page, valueText(fields.actualV), true);
    appendCell(page, valueText(fields.standV), true);
    appendBytesCell(page, fields.unit);
    for (const int number : {fields.upperLimit, fields.lowerLimit, fields.dly, fields.mode}) {
        appendCell(page, std::to_string(number), true);
    }
    appendCell(page, std::string(listedType(row, variant)));
    for (const int pin : {fields.hiP, fields.loP}) {
        appendCell(page, std::to_string(pin), true);
    }
    for (const int pin : fields.guardPins) {
        appendCell(page, std::to_string(pin), true);
    }
    appendCell(page, fields.skip ? "1" : "0", true);
    appendCell(page,
               row.kind == StepKind::Skipped ? "&quot;*&quot; step" : std::string(becameText(row)));
    page += "</tr>";
}

}  // namespace

std::string rowId(const std::string& id, std::uint64_t offset) {
    return id + "-r" + std::to_string(offset);
}

void appendStepsTable(const BoardReport& board, const std::string& id, std::string& page) {
    if (!board.outcome.summary) {
        return;
    }
    page += "<h3 id=\"" + id + "-steps-heading\">Steps</h3>";
    if (board.stepRows.empty()) {
        page += "<p>The file holds no whole record.</p>";
        return;
    }
    page +=
        "<p>Each record of the file with the step it became, as the listing shows it "
        "(a &quot;*&quot; step with the listing's zeros, a dropped record with its part name "
        "alone).";
    const std::size_t written = std::min(board.stepRows.size(), kMostTableRows);
    if (board.stepRows.size() > written) {
        page += "<span class=\"static\"> Without scripts the table holds the first " +
                std::to_string(written) + " records; the page's script draws the others.</span>";
    }
    if (board.rowsNotShown > 0) {
        page += " After record " + std::to_string(BoardReport::kMostStepRows) +
                " the page holds only the steps that an IC pin or a check names; the other " +
                std::to_string(board.rowsNotShown) + " records are in the listing.";
    }
    page += "<span class=\"hint\"> Choose a heading to sort.</span></p>";
    const std::string table = id + "-steps";
    page +=
        "<p class=\"controls\" hidden><label>Part name <input type=\"search\" "
        "data-steps-filter=\"part\" data-table=\"" +
        table +
        "\" placeholder=\"exactly, e.g. U2_1\"></label> <label>Tester pin <input "
        "type=\"search\" inputmode=\"numeric\" data-steps-filter=\"pin\" data-table=\"" +
        table +
        "\" placeholder=\"Hi-P, Lo-P or G-P\"></label> <span role=\"status\" "
        "class=\"found\" id=\"" +
        table + "-status\"></span></p>";
    // The frame scrolls, so the keyboard must reach it; its name tells the boards apart.
    page += "<div class=\"wide steps-frame\" tabindex=\"0\" role=\"region\" aria-label=\"Steps of ";
    appendHtml(page, board.input);
    page += "\"><table class=\"steps sortable\" id=\"" + table + "\"><thead><tr>";
    for (const char* column : kColumns) {
        page += "<th scope=\"col\">";
        page += column;
        page += "</th>";
    }
    page += "</tr></thead><tbody>";
    for (std::size_t index = 0; index < written; ++index) {
        appendRow(board.stepRows[index], board.settings.options.variant, id, page);
    }
    page += "</tbody></table></div>";
}

}  // namespace zemra::cli
