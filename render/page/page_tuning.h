#pragma once

#include <cstddef>
#include <string>

#include "report/board_report.h"

namespace zemra::cli {

// The most rows of the tuning table: the page's size follows the board, whatever the tester
// changed. --report lists every one.
inline constexpr std::size_t kMostTuningRows = 1000;

// The section of a board's page on the tuning that its conversion carried from a tester folder:
// the line of counts, the pin files and settings changed on the tester, then a table of each
// carried column, conflict, drop and step added or removed on the tester, values as the listing
// shows them. A row's new step links to its row of the steps table where the table holds it.
// Nothing for a board converted without a tester folder.
void appendTuning(const BoardReport& board, const std::string& id, std::string& page);

}  // namespace zemra::cli
