#pragma once

#include <string>

#include "json_text.h"
#include "page_stream.h"
#include "report/board_report.h"

namespace zemra::cli {

// `value` as JSON text inside a script element of the page: "<" is written as \u003C, so that no
// name can end the element.
void appendScriptJson(const Json& value, std::string& page);

// One row of a board's steps table as the page's data holds it: offset, step, what it became,
// then the listing's columns (stepColumnNames()).
void appendStepRowData(const StepRow& row, TesterVariant variant, std::string& page);

// The data of a board's section of the page, for scripts that read the page, written to `stream`
// an IC at a time: its facts and counts, its checks as --report=json lists them, each IC with its
// drawn pins (tester pin, source letter d, j or n, and the step that gave each, 0 for none) and
// every step that names each drawn pin, by its row, and the columns of its steps table, whose rows
// are written apart as the board is converted (appendStepRowData()).
void writeBoardData(const BoardReport& board, PageOutput& stream);

}  // namespace zemra::cli
