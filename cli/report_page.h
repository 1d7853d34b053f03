#pragma once

#include <string>
#include <vector>

#include "report/board_report.h"

namespace zemra::cli {

// The page of --html: one self-contained HTML document for the boards of a call, in order. Its
// styles, script and pictures are inside it and it refers to nothing outside itself; it reads
// whole with scripting off, and its script only sorts and filters. Every drawn IC pin carries
// data-ic, data-pin, data-tester-pin and data-source; the page's data is JSON in the script
// element #zemra-data. Its size follows the boards, never the pin numbers in them.
std::string reportPage(const std::vector<BoardReport>& boards);

}  // namespace zemra::cli
