// The .icn file: one line per IC with its pin count and the .icp line of its pin 1.
#include <cstdint>

#include "run/conversion.h"
#include "text/format.h"

namespace zemra {
namespace {

constexpr const char* kIcColumns = "%2d %5s %3s";
constexpr const char* kPinColumns = " %4d   0   %4d   %4lld   0  30  30   0   0   0   0\n";

}  // namespace

void Conversion::WriteIcnFile() {
    int icNumber = 1;
    // The running .icp line number can pass two thousand million on a board of huge ICs.
    std::int64_t firstIcpNumber = 1;
    std::string line;
    for (const IcPinCount& ic : lists_.icPinCounts) {
        line.clear();
        appendFormatted(line, kIcColumns, icNumber, ic.name.c_str(), ic.lc.c_str());
        appendFormatted(line, kPinColumns, ic.pinCount, 0, static_cast<long long>(firstIcpNumber));
        outputs_.icn.write(line);
        firstIcpNumber += ic.pinCount;
        ++icNumber;
    }
}

}  // namespace zemra
