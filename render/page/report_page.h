#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ic_map_plan.h"
#include "page_data.h"
#include "page_ic_data.h"
#include "page_output.h"
#include "report/board_report.h"

namespace zemra::cli {

// What the page's header says of a board before it is converted.
struct BoardHeading {
    std::string input;  // as named, UTF-8
    std::string title;  // names the outputs
};

// The page of --html: one self-contained HTML document for the boards of a call, in order,
// written to a PageOutput (a PageStream) as each board is converted, so that a page of any number
// of boards never needs more memory than one board. Its styles, script and pictures are inside it
// and it refers to nothing outside itself; it reads whole with scripting off, and its script sorts,
// filters and draws on demand. Every drawn IC pin carries data-ic, data-pin, data-tester-pin and
// data-source. Each board's data is JSON in three script elements: the rows of its steps table in
// #bN-rows and its ICs in #bN-ics, written while it is converted, and the rest in #bN-data, after
// its section; the script element #zemra-data at the end counts the boards. Its size follows the
// boards, never the pin numbers in them.
class ReportPageWriter {
  public:
    // Writes the page's head and header, which name `boards`, the boards to come.
    ReportPageWriter(PageOutput& stream, const std::vector<BoardHeading>& boards,
                     std::string_view version);

    // Starts the next board, whose steps table's rows follow.
    void beginBoard();
    // A row of the steps table of the board begun.
    void writeStepRow(const StepRow& row, TesterVariant variant);
    // An IC of the board begun, after its last row; `soFar` is its report so far. Whether the
    // board's section may draw the IC's map, and so needs its pins.
    bool writeIc(const IcTrace& ic, const BoardReport& soFar);
    // Ends the board begun with its section and the rest of its data.
    void endBoard(const BoardReport& board);
    // Ends the page.
    void finish();

  private:
    // The data element of the board begun that is being written.
    enum class Writing : std::uint8_t { Rows, Ics, Neither };

    void startIcs();

    PageOutput& stream_;
    std::size_t boards_ = 0;  // begun so far
    Writing writing_ = Writing::Neither;
    bool firstRow_ = true;
    StepRowCoder rows_;
    std::size_t icsWritten_ = 0;
    IcDataCoder ics_;
    IcMapCandidates candidates_;
};

// The page of one board made whole in memory, its steps table's rows those of board.stepRows.
std::string reportPage(const BoardReport& board);

}  // namespace zemra::cli
