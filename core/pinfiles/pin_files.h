#pragma once

#include <vector>

#include "icpins/ic_pin_entries.h"
#include "names/name_table.h"
#include "pinfiles/ic_pin_table.h"
#include "text/text_writer.h"

namespace zemra {

// The formats of the pin files, which the writers below print exactly, each "\n" as CR LF.
inline constexpr const char* kIcnIcColumns = "%2d %5s %3s";
inline constexpr const char* kIcnPinColumns = " %4d   0   %4d   %4d   0  30  30   0   0   0   0\n";
inline constexpr const char* kIcpLine = "ICP / %4d = %4d 0\n";

// The .icn file: one line per IC with its pin count and the number of the .icp line of its pin 1.
void WriteIcnFile(const std::vector<IcPinCount>& icPinCounts, const NameTable& names,
                  TextWriter& icn);

// The .icp file: one line per pin of every IC, numbered across all of them, with its tester pin
// or 0.
void WriteIcpFile(const std::vector<IcPinTable>& icPinTables, TextWriter& icp);

}  // namespace zemra
