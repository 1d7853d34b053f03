#include "report_page.h"

#include "html_text.h"
#include "page_data.h"
#include "page_sections.h"
#include "page_shell.h"
#include "page_tuning.h"

namespace zemra::cli {
namespace {

std::string boardId(std::size_t index) {
    return "b" + std::to_string(index + 1);
}

std::string pageTitle(const std::vector<BoardReport>& boards) {
    std::string title = "zemra board report";
    const char* separator = ": ";
    for (const BoardReport& board : boards) {
        title += separator + board.title;
        separator = ", ";
    }
    return title;
}

void appendHeader(const std::vector<BoardReport>& boards, std::string& page) {
    page += "<header class=\"page\"><h1>Board report</h1><p>";
    page += std::to_string(boards.size()) + (boards.size() == 1 ? " input" : " inputs");
    if (!boards.empty()) {
        page += ", converted by zemra ";
        appendHtml(page, boards.front().version);
    }
    page += ". Read the checks of each board before its files go to the tester.</p></header>";
    if (boards.size() > 1) {
        page += "<nav class=\"boards\">";
        for (std::size_t index = 0; index < boards.size(); ++index) {
            page += "<a href=\"#" + boardId(index) + "\">";
            appendHtml(page, boards[index].input);
            page += "</a>";
        }
        page += "</nav>";
    }
}

void appendBoard(const BoardReport& board, const std::string& id, std::string& page) {
    page += "<section class=\"board";
    page += board.outcome.committed ? "" : " failed";
    page += "\" id=\"" + id + "\"><h2>";
    appendHtml(page, board.input);
    page += board.outcome.committed ? "" : " (not converted)";
    page += "</h2>";
    if (board.outcome.summary) {
        page += "<p class=\"parts\"><a href=\"#" + id +
                "-checks-heading\">Checks</a> · <a href=\"#" + id +
                "-ics-heading\">IC pin maps</a> · <a href=\"#" + id +
                "-steps-heading\">Steps</a></p>";
    }
    appendFacts(board, page);
    appendChecks(board, id, page);
    appendTuning(board, id, page);
    appendIcMaps(board, id, page);
    appendStepsTable(board, id, page);
    page += "</section>\n";
}

}  // namespace

std::string reportPage(const std::vector<BoardReport>& boards) {
    std::string page;
    appendPageStart(pageTitle(boards), page);
    appendHeader(boards, page);
    page += "<main>";
    for (std::size_t index = 0; index < boards.size(); ++index) {
        appendBoard(boards[index], boardId(index), page);
    }
    page += "</main>\n";
    Json data;
    data["boards"] = Json::array();
    for (const BoardReport& board : boards) {
        data["boards"].push_back(boardData(board));
    }
    appendPageEnd(data, page);
    return page;
}

}  // namespace zemra::cli
