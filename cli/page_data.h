#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "json_text.h"
#include "page_stream.h"
#include "report/board_report.h"

namespace zemra::cli {

// `value` as JSON text inside a script element of the page: "<" is written as \u003C, so that no
// name can end the element.
void appendScriptJson(const Json& value, std::string& page);

// The rows of a board's steps table as the page's data holds them, each written as it comes: a
// JSON array per row, compact against the row before it. Its values: the records since the row
// before (1 for the next record); the step less the step of the last row that had one, null for a
// dropped record; what it became ("p" pin step, "s" step, "*", "d" dropped); the part name; then
// for all but a dropped record the other listing columns in stepColumnNames()'s order, each text
// column as 0 when it is as in the row before, and the zeros at the end left out.
class StepRowCoder {
  public:
    void append(const StepRow& row, TesterVariant variant, std::string& page);

  private:
    std::uint64_t ordinal_ = 0;
    std::int64_t step_ = 0;
    std::array<std::string, 5> texts_;  // LC, Actual-V, Stand-V, Unit and Type of the row before
};

// The data of a board's section of the page, for scripts that read the page, written to `stream`
// an IC at a time: its facts and counts, its checks as --report=json lists them, each IC with its
// drawn pins (tester pin, source letter d, j or n, and the step that gave each, 0 for none) and
// every step that names each drawn pin, by its row, and the columns of its steps table, whose rows
// are written apart as the board is converted (StepRowCoder).
void writeBoardData(const BoardReport& board, PageOutput& stream);

}  // namespace zemra::cli
