#pragma once

#include <cstdint>
#include <string_view>

#include "icpins/ic_pin_entries.h"
#include "pinfiles/ic_pin_table.h"
#include "text/text_writer.h"

namespace zemra {

// The formats of the pin files, which the writers below print exactly, each "\n" as CR LF.
inline constexpr const char* kIcnIcColumns = "%2d %5s %3s";
inline constexpr const char* kIcnPinColumns = " %4d   0   %4d   %4d   0  30  30   0   0   0   0\n";
inline constexpr const char* kIcpLine = "ICP / %4d = %4d 0\n";

// The .icn and .icp files, written an IC at a time in the order of icPinCounts, as the IC pins
// are worked out: an IC's .icn line needs only its pin count and the number of the .icp line of
// its pin 1, and its .icp lines only its pin table.
class PinFiles {
  public:
    PinFiles(TextWriter& icn, TextWriter& icp) : icn_(icn), icp_(icp) {}

    // The .icp line of the next IC's pin 1.
    std::int64_t nextIcpNumber() const { return icpNumber_; }

    // WriteIcnFile and WriteIcpFile for the next IC: its .icn line, with its pin count and the
    // number of the .icp line of its pin 1; then one .icp line per pin of it, numbered across all
    // ICs, with its tester pin or 0.
    void writeIc(const IcPinCount& ic, std::string_view name, const IcPinTable& table) {
        writeIcnLine(ic, name);
        writeIcpLines(table);
    }

  private:
    void writeIcnLine(const IcPinCount& ic, std::string_view name);
    void writeIcpLines(const IcPinTable& table);

    TextWriter& icn_;
    TextWriter& icp_;
    std::int64_t icNumber_ = 1;
    // The running .icp line number can pass two thousand million on a board of huge ICs.
    std::int64_t icpNumber_ = 1;
};

}  // namespace zemra
