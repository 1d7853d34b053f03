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

std::string pageTitle(const std::vector<BoardHeading>& boards) {
    std::string title = "zemra board report";
    const char* separator = ": ";
    for (const BoardHeading& board : boards) {
        title += separator + board.title;
        separator = ", ";
    }
    return title;
}

void appendHeader(const std::vector<BoardHeading>& boards, std::string_view version,
                  std::string& page) {
    page += "<header class=\"page\"><h1>Board report</h1><p>";
    page += std::to_string(boards.size()) + (boards.size() == 1 ? " input" : " inputs");
    if (!boards.empty()) {
        page += ", converted by zemra ";
        appendHtml(page, version);
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

// The section of a board, written out a part at a time.
void writeBoard(const BoardReport& board, const IcMapPlan& maps, const std::string& id,
                PageOutput& stream) {
    std::string& page = stream.text();
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
    stream.flush();
    appendIcMaps(board, maps, id, stream);
    stream.flush();
    appendStepsTable(board, id, page);
    page += "</section>\n";
}

void appendDataStart(const std::string& id, std::string& page) {
    page += "<script type=\"application/json\" id=\"" + id + "\">";
}

}  // namespace

ReportPageWriter::ReportPageWriter(PageOutput& stream, const std::vector<BoardHeading>& boards,
                                   std::string_view version)
    : stream_(stream) {
    std::string& page = stream_.text();
    appendPageStart(pageTitle(boards), page);
    appendHeader(boards, version, page);
    page += "<main>";
    stream_.flush();
}

void ReportPageWriter::beginBoard() {
    appendDataStart(boardId(boards_++) + "-rows", stream_.text());
    stream_.text() += '[';
    writing_ = Writing::Rows;
    firstRow_ = true;
    rows_ = StepRowCoder();
    icsWritten_ = 0;
    ics_ = IcDataCoder();
    candidates_ = IcMapCandidates();
}

void ReportPageWriter::writeStepRow(const StepRow& row, TesterVariant variant) {
    std::string& page = stream_.text();
    if (!firstRow_) {
        page += ',';
    }
    firstRow_ = false;
    rows_.append(row, variant, page);
    stream_.flush();
}

void ReportPageWriter::startIcs() {
    if (writing_ != Writing::Rows) {
        return;
    }
    stream_.text() += "]</script>\n";
    appendDataStart(boardId(boards_ - 1) + "-ics", stream_.text());
    stream_.text() += '[';
    writing_ = Writing::Ics;
}

bool ReportPageWriter::writeIc(const IcTrace& ic, const BoardReport& soFar) {
    startIcs();
    if (icsWritten_++ > 0) {
        stream_.text() += ',';
    }
    ics_.append(ic, soFar, stream_.text());
    stream_.flush();
    return candidates_.mayMap(
        ic.ic, ic.index < soFar.icsWithProblems.size() && soFar.icsWithProblems[ic.index]);
}

void ReportPageWriter::endBoard(const BoardReport& board) {
    const std::string id = boardId(boards_ - 1);
    startIcs();
    // A board made whole in memory has its ICs here; one written as it was converted had them
    // written as they came.
    if (icsWritten_ == 0) {
        for (std::size_t index = 0; index < board.icCount(); ++index) {
            if (const std::optional<IcTrace> ic = board.traceOf(index)) {
                writeIc(*ic, board);
            }
        }
    }
    stream_.text() += "]</script>\n";
    writing_ = Writing::Neither;
    const IcMapPlan maps(board);
    writeBoard(board, maps, id, stream_);
    appendDataStart(id + "-data", stream_.text());
    writeBoardData(board, maps, stream_);
    stream_.text() += "</script>\n";
    stream_.flush();
}

void ReportPageWriter::finish() {
    stream_.text() += "</main>\n";
    appendPageEnd({{"boards", boards_}}, stream_.text());
}

std::string reportPage(const BoardReport& board) {
    PageText page;
    ReportPageWriter writer(page, {{board.input, board.title}}, board.version);
    writer.beginBoard();
    for (const StepRow& row : board.stepRows) {
        writer.writeStepRow(row, board.settings.options.variant);
    }
    writer.endBoard(board);
    writer.finish();
    return std::move(page.text());
}

}  // namespace zemra::cli
