// The .icp file: one line per IC pin with the tester pin wired to it.
#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "devices/name_index.h"
#include "run/conversion.h"
#include "text/format.h"

namespace zemra {

int IcPinTable::testerPinOf(int pin) const {
    const auto found = std::lower_bound(
        testerPins.begin(), testerPins.end(), std::pair<int, int>{pin, 0},
        [](const auto& entry, const auto& wanted) { return entry.first < wanted.first; });
    return found != testerPins.end() && found->first == pin ? found->second : 0;
}

// Diode pins first, then J pins, each in list order, so the last entry for a pin wins and every
// J pin wins over every diode pin. A pin outside 1 to pinCount has no line and is left out.
void Conversion::buildIcPinTables() {
    const NameIndex diodePinsByName(lists_.icDiodePins);
    const NameIndex jPinsByName(lists_.icJPins);
    for (const IcPinCount& ic : lists_.icPinCounts) {
        std::unordered_map<int, int> slots;
        const auto fill = [&](const auto& pins, const NameIndex& byName) {
            for (const std::size_t position : byName.positionsOf(ic.name)) {
                const auto& pin = pins[position];
                if (pin.pinNumber >= 1 && pin.pinNumber <= ic.pinCount) {
                    slots[pin.pinNumber] = pin.testerPin;
                }
            }
        };
        fill(lists_.icDiodePins, diodePinsByName);
        fill(lists_.icJPins, jPinsByName);
        IcPinTable table{ic.name, {slots.begin(), slots.end()}, ic.pinCount};
        std::sort(table.testerPins.begin(), table.testerPins.end());
        lists_.icPinTables.push_back(std::move(table));
    }
}

void Conversion::WriteIcpFile() {
    buildIcPinTables();
    std::int64_t icpNumber = 1;
    std::string lines;
    for (const IcPinTable& table : lists_.icPinTables) {
        auto found = table.testerPins.begin();
        for (int pin = 1; pin <= table.pinCount; ++pin) {
            int testerPin = 0;
            if (found != table.testerPins.end() && found->first == pin) {
                testerPin = found->second;
                ++found;
            }
            // "ICP / %4d = %4d 0\n", formatted by hand: a pin count can run into millions.
            lines += "ICP / ";
            appendPadded(lines, icpNumber, 4);
            lines += " = ";
            appendPadded(lines, testerPin, 4);
            lines += " 0\n";
            ++icpNumber;
            if (lines.size() >= 1U << 16U) {
                outputs_.icp.write(lines);
                lines.clear();
            }
        }
    }
    outputs_.icp.write(lines);
}

}  // namespace zemra
