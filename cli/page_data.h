#pragma once

#include "json_text.h"
#include "report/board_report.h"

namespace zemra::cli {

// The data of a board's section of the page, for scripts that read the page: its facts and
// counts, its checks as --report=json lists them, each IC with its drawn pins (tester pin,
// source letter d, j or n, and the step that gave each, 0 for none) and every step that names
// each drawn pin, and the rows of its steps table.
Json boardData(const BoardReport& board);

}  // namespace zemra::cli
