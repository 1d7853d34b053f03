// The checks of a board's section: counted by id, errors first, each id's checks grouped under
// what to do about them.
#include <algorithm>
#include <array>

#include "html_text.h"
#include "page_sections.h"

namespace zemra::cli {
namespace {

// With more checks than this, only the groups of errors start open, so that the pin maps are in
// reach.
constexpr std::size_t kChecksShownOpen = 50;

// The ids in the order the page shows them: errors, then warnings, then infos, each in the order
// of the enumeration.
std::array<CheckId, kCheckIdCount> idsBySeverity() {
    std::array<CheckId, kCheckIdCount> ids = kCheckIds;
    std::stable_sort(ids.begin(), ids.end(), [](CheckId left, CheckId right) {
        return severityOf(left) < severityOf(right);
    });
    return ids;
}

std::string groupId(const std::string& id, CheckId checkId) {
    return id + "-check-" + std::string(checkIdText(checkId));
}

// A link to the steps table's row of the record at `offset`, if the page holds it.
void appendRowLink(const BoardReport& board, const std::string& id, std::uint64_t offset,
                   const std::string& text, std::string& page) {
    const bool inTable = board.hasRow(offset);
    page += inTable ? "<a href=\"#" + rowId(id, offset) + "\">" : "";
    page += text;
    page += inTable ? "</a>" : "";
}

void appendCounts(const CheckList& checks, const std::string& id, std::string& page) {
    page +=
        "<table class=\"check-counts\"><thead><tr><th>Check</th><th>Severity</th>"
        "<th>Found</th><th>Listed below</th></tr></thead><tbody>";
    for (const CheckId checkId : idsBySeverity()) {
        if (checks.found(checkId) == 0) {
            continue;
        }
        const std::string_view severity = severityText(severityOf(checkId));
        const std::string name(checkIdText(checkId));
        page += "<tr class=\"" + std::string(severity) + "\"><td><a href=\"#" +
                groupId(id, checkId) + "\" data-only=\"" + id + "-checks\" data-check=\"" + name +
                "\">" + name + "</a></td><td>" + std::string(severity) +
                "</td><td class=\"number\">" + std::to_string(checks.found(checkId)) +
                "</td><td class=\"number\">" +
                std::to_string(checks.found(checkId) - checks.notListed(checkId)) + "</td></tr>";
    }
    page += "</tbody></table>";
}

void appendGroup(const BoardReport& board, CheckId checkId, const std::string& id, bool open,
                 std::string& page) {
    const CheckList& checks = board.checks;
    const std::string_view severity = severityText(severityOf(checkId));
    const std::string name(checkIdText(checkId));
    page += "<details class=\"check-group " + std::string(severity) + "\" id=\"" +
            groupId(id, checkId) + "\" data-check=\"" + name + "\" data-severity=\"" +
            std::string(severity) + "\"" + (open ? " open" : "") + "><summary><span class=\"" +
            std::string(severity) + "\">" + std::string(severity) + "</span> <b>" + name +
            "</b> · " + std::to_string(checks.found(checkId)) + " found";
    if (checks.notListed(checkId) > 0) {
        page += ", the first " + std::to_string(CheckList::kMostListed) + " listed";
    }
    page += "</summary><p class=\"advice\">";
    page += adviceOf(checkId);
    page +=
        "</p><table class=\"checks sortable\"><thead><tr><th>Offset</th><th>Step</th><th>What "
        "happened</th></tr></thead><tbody>";
    for (const Check& check : checks.listed()) {
        if (check.id != checkId) {
            continue;
        }
        page += "<tr><td class=\"number\">";
        if (check.offset) {
            appendRowLink(board, id, *check.offset, std::to_string(*check.offset), page);
        }
        page += "</td><td class=\"number\">";
        if (check.step && check.offset) {
            appendRowLink(board, id, *check.offset, std::to_string(*check.step), page);
        } else if (check.step) {
            page += std::to_string(*check.step);
        } else if (check.ic && *check.ic < board.icCount()) {
            page += "IC ";
            appendIcLink(board, id, *check.ic, page);
        }
        page += "</td><td>";
        appendHtmlBytes(page, check.sentence);
        page += "</td></tr>";
    }
    page += "</tbody></table></details>";
}

}  // namespace

void appendChecks(const BoardReport& board, const std::string& id, std::string& page) {
    if (!board.outcome.summary) {
        return;
    }
    const CheckList& checks = board.checks;
    page += "<h3 id=\"" + id + "-checks-heading\">Checks</h3>";
    if (checks.listed().empty()) {
        page += "<p>No checks: nothing here needs a look before the tester.</p>";
        return;
    }
    appendCounts(checks, id, page);
    page += "<p class=\"controls\" hidden><label>Show <select data-severity=\"" + id +
            "-checks\"><option value=\"\">every severity</option><option>error</option>"
            "<option>warning</option><option>info</option></select></label> <label>containing "
            "<input type=\"search\" data-filter=\"" +
            id + "-checks\"></label> <button type=\"button\" data-show-all=\"" + id +
            "-checks\" hidden>Show every check</button></p>";
    page += "<div class=\"checks\" id=\"" + id + "-checks\">";
    const bool fewChecks = checks.listed().size() <= kChecksShownOpen;
    for (const CheckId checkId : idsBySeverity()) {
        if (checks.found(checkId) > 0) {
            appendGroup(board, checkId, id, fewChecks || severityOf(checkId) == Severity::Error,
                        page);
        }
    }
    page += "</div>";
}

}  // namespace zemra::cli
