#include "pinfiles/pin_files.h"

#include <cstdint>

namespace zemra {

void WriteIcnFile(const std::vector<IcPinCount>& icPinCounts, const NameTable& names,
                  TextWriter& icn) {
    std::int64_t icNumber = 1;
    // The running .icp line number can pass two thousand million on a board of huge ICs.
    std::int64_t firstIcpNumber = 1;
    for (const IcPinCount& ic : icPinCounts) {
        icn.number(icNumber, 2);
        icn.literal(" ");
        icn.text(names.text(ic.name), 5);
        icn.literal(" ");
        icn.text(ic.lc.view(), 3);
        icn.literal(" ");
        icn.number(ic.pinCount, 4);
        icn.literal("   0      0   ");
        icn.number(firstIcpNumber, 4);
        icn.literal("   0  30  30   0   0   0   0");
        icn.endLine();
        firstIcpNumber += ic.pinCount;
        ++icNumber;
    }
}

void WriteIcpFile(const std::vector<IcPinTable>& icPinTables, TextWriter& icp) {
    std::int64_t icpNumber = 1;
    for (const IcPinTable& table : icPinTables) {
        auto slot = table.foundPins.begin();
        for (std::int64_t pin = 1; pin <= table.pinCount; ++pin) {
            int testerPin = 0;
            if (slot != table.foundPins.end() && slot->pin == pin) {
                testerPin = slot->testerPin;
                ++slot;
            }
            icp.literal("ICP / ");
            icp.number(icpNumber, 4);
            icp.literal(" = ");
            icp.number(testerPin, 4);
            icp.literal(" 0");
            icp.endLine();
            ++icpNumber;
        }
    }
}

}  // namespace zemra
