#include "pinfiles/pin_files.h"

namespace zemra {

void PinFiles::writeIcnLine(const IcPinCount& ic, std::string_view name) {
    icn_.number(icNumber_, 2);
    icn_.literal(" ");
    icn_.text(name, 5);
    icn_.literal(" ");
    icn_.text(ic.lc.view(), 3);
    icn_.literal(" ");
    icn_.number(ic.pinCount, 4);
    icn_.literal("   0      0   ");
    icn_.number(icpNumber_, 4);
    icn_.literal("   0  30  30   0   0   0   0");
    icn_.endLine();
    ++icNumber_;
}

void PinFiles::writeIcpLines(const IcPinTable& table) {
    auto slot = table.foundPins.begin();
    for (std::int64_t pin = 1; pin <= table.pinCount; ++pin) {
        int testerPin = 0;
        if (slot != table.foundPins.end() && slot->pin == pin) {
            testerPin = slot->testerPin;
            ++slot;
        }
        icp_.literal("ICP / ");
        icp_.number(icpNumber_, 4);
        icp_.literal(" = ");
        icp_.number(testerPin, 4);
        icp_.literal(" 0");
        icp_.endLine();
        ++icpNumber_;
    }
}

}  // namespace zemra
