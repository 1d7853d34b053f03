#include "report_page.h"

#include "html_text.h"
#include "page_assets.h"
#include "page_data.h"
#include "page_sections.h"

namespace zemra::cli {
namespace {

// Nothing but the page itself may load: its inline style and script, and data: URIs.
constexpr const char* kContentPolicy =
    "default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'; img-src data:";

std::string boardId(std::size_t index) {
    return "b" + std::to_string(index + 1);
}

void appendHead(const std::vector<BoardReport>& boards, std::string& page) {
    page +=
        "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
        "<meta http-equiv=\"Content-Security-Policy\" content=\"";
    page += kContentPolicy;
    page += "\"><title>zemra board report";
    const char* separator = ": ";
    for (const BoardReport& board : boards) {
        page += separator;
        appendHtml(page, board.title);
        separator = ", ";
    }
    page += "</title><style>";
    page += kPageStyle;
    page += "</style></head>\n<body>";
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
    appendIcMaps(board, id, page);
    appendStepsTable(board, id, page);
    page += "</section>\n";
}

// The data of the page as the content of a script element: "<" never occurs in it as itself, so
// no name can end the element.
void appendData(const std::vector<BoardReport>& boards, std::string& page) {
    Json data;
    data["boards"] = Json::array();
    for (const BoardReport& board : boards) {
        data["boards"].push_back(boardData(board));
    }
    page += "<script type=\"application/json\" id=\"zemra-data\">";
    for (const char character : jsonText(data)) {
        if (character == '<') {
            page += "\\u003C";
        } else {
            page += character;
        }
    }
    page += "</script>\n";
}

}  // namespace

std::string reportPage(const std::vector<BoardReport>& boards) {
    std::string page;
    appendHead(boards, page);
    appendHeader(boards, page);
    page += "<main>";
    for (std::size_t index = 0; index < boards.size(); ++index) {
        appendBoard(boards[index], boardId(index), page);
    }
    page += "</main>\n";
    appendData(boards, page);
    page += "<script>";
    page += kPageScript;
    page += "</script>\n</body></html>\n";
    return page;
}

}  // namespace zemra::cli
