#pragma once

#include <ostream>

#include "json_text.h"
#include "report/board_report.h"

namespace zemra::cli {

// A check as JSON: {"id", "severity", "offset", "step", "message"}, null where it has none.
Json checkJson(const Check& check);

// The checks of a board, as listed, and the number of each id that was found but not listed
// (an object by id, with only the ids that have any).
Json checksJson(const CheckList& checks);
Json checksNotListedJson(const CheckList& checks);

// --report=json: one JSON object on one line for each input. Counts, ICs and checks are null for
// an input that was not read to its end.
void writeJsonReport(const BoardReport& board, std::ostream& out);

}  // namespace zemra::cli
