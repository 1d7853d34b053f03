#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ic_map_plan.h"
#include "json_text.h"
#include "page_output.h"
#include "report/board_report.h"

namespace zemra::cli {

// `value` as JSON text inside a script element of the page: "<" is written as \u003C, so that no
// name can end the element.
void appendScriptJson(const Json& value, std::string& page);

// Raw bytes as a JSON string inside a script element, as appendScriptJson(byteText(bytes)).
void appendBytesJson(std::string_view bytes, std::string& page);
// A whole number as JSON, without the string std::to_string would make of it.
void appendNumberJson(std::int64_t number, std::string& page);

// The rows of a board's steps table as the page's data holds them, each written as it comes and
// against the rows before it, for a page of about 20 bytes a row. A row is its part name alone
// where every other value is as foreseen: the next record, the next step, what the row before
// became, Hi-P and Lo-P each moved on as far as between the two rows before, and every other column
// as in the row before. Otherwise it is [part name, mask, value...]: each bit of the mask, from
// the lowest, says that a value follows for Hi-P, Lo-P, what it became ("p" pin step, "s" step,
// "*", "d" dropped), the step less the step of the last row that had one, the records since the
// row before, then Actual-V, Stand-V, Unit, Type, MODE, LC, +Lm%, -Lm%, DLY, G-P1 to G-P5 and
// Skip. A dropped record has a part name alone, and the rows after it are foreseen from the row
// before it.
class StepRowCoder {
  public:
    void append(const StepRow& row, TesterVariant variant, std::string& page);

  private:
    std::uint64_t ordinal_ = 0;  // the record the next row is foreseen for
    std::int64_t step_ = 0;
    char became_ = 's';
    int hiP_ = 0;
    int loP_ = 0;
    int hiPMove_ = 0;  // Hi-P less the Hi-P of the row before, in the row before
    int loPMove_ = 0;
    std::array<std::string, 5> texts_;  // Actual-V, Stand-V, Unit, Type and LC of the row before
    // The bits of Actual-V and Stand-V of the row before; none (beyond 32 bits) before the first.
    std::array<std::uint64_t, 2> valueBits_{std::uint64_t{1} << 32U, std::uint64_t{1} << 32U};
    std::string rowText_;           // the values of the row being coded
    std::array<int, 9> numbers_{};  // MODE, +Lm%, -Lm%, DLY, G-P1 to G-P5 of the row before
    bool skip_ = false;
};

// The data of a board's section of the page, for scripts that read the page, written to
// `stream`: its facts and counts, its checks as --report=json lists them, the ICs with a map (by
// their index in the pin files, in the order drawn) and the columns of its steps table. The rows
// of the steps table (StepRowCoder) and the ICs (IcDataCoder) are written apart as the board is
// converted.
void writeBoardData(const BoardReport& board, const IcMapPlan& maps, PageOutput& stream);

}  // namespace zemra::cli
