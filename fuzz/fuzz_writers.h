#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "report/board_report.h"

namespace zemra {

// The render layer's writers over what one fuzz input gives. Each formats its whole output and
// throws it away; a fault stops the fuzzer.

// The text report with its checks, the JSON report and the page of `board`, which is named
// `name` (any bytes, as a file name may hold them).
void writeBoardReports(BoardReport board, const std::string& name);

// The record dump of `records` as CSV and, when `workbook` holds, as a workbook in the folder for
// temporary files, removed again.
void writeRecordDumps(std::span<const std::byte> records, bool workbook);

// --diff of the two boards that `records` gives when cut at record `cut`: the changes as text,
// JSON Lines and a page.
void writeDiffs(std::span<const std::byte> records, std::size_t cut, const DecodeOptions& options);

}  // namespace zemra
