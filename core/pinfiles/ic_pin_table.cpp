#include "pinfiles/ic_pin_table.h"

#include <algorithm>

namespace zemra {
namespace {

bool byPin(const PinSlot& left, const PinSlot& right) {
    return left.pin < right.pin;
}

// The pins of one IC's entries, in list order, in pin order; for a pin given more than once the
// last. Pins outside 1 to pinCount have no line in the pin file.
std::vector<PinSlot> lastSlotPerPin(const std::vector<IcPin>& pins,
                                    std::span<const std::size_t> positions, int pinCount,
                                    PinSource source) {
    std::vector<PinSlot> given;
    for (const std::size_t position : positions) {
        const IcPin& pin = pins[position];
        if (pin.pinNumber >= 1 && pin.pinNumber <= pinCount) {
            given.push_back({pin.pinNumber, pin.testerPin, source});
        }
    }
    std::stable_sort(given.begin(), given.end(), byPin);
    std::vector<PinSlot> last;
    for (std::size_t index = 0; index < given.size(); ++index) {
        if (index + 1 == given.size() || given[index + 1].pin != given[index].pin) {
            last.push_back(given[index]);
        }
    }
    return last;
}

}  // namespace

int IcPinTable::testerPinOf(int pin) const {
    const auto found =
        std::lower_bound(foundPins.begin(), foundPins.end(), PinSlot{pin, 0, {}}, byPin);
    return found != foundPins.end() && found->pin == pin ? found->testerPin : 0;
}

std::vector<IcPinTable> BuildIcPinTables(const std::vector<IcPinCount>& icPinCounts,
                                         const std::vector<IcDiodePin>& icDiodePins,
                                         const std::vector<IcJPin>& icJPins) {
    const NameGroups diodePinsByName(icDiodePins);
    const NameGroups jPinsByName(icJPins);
    std::vector<IcPinTable> tables;
    tables.reserve(icPinCounts.size());
    for (const IcPinCount& ic : icPinCounts) {
        const std::vector<PinSlot> diodeSlots = lastSlotPerPin(
            icDiodePins, diodePinsByName.positionsOf(ic.name), ic.pinCount, PinSource::DiodePin);
        const std::vector<PinSlot> jSlots =
            lastSlotPerPin(icJPins, jPinsByName.positionsOf(ic.name), ic.pinCount, PinSource::JPin);
        IcPinTable table{ic.name, ic.pinCount, {}};
        // Both are in pin order; where both have a pin, the J pin wins.
        auto diode = diodeSlots.begin();
        for (const PinSlot& jSlot : jSlots) {
            for (; diode != diodeSlots.end() && diode->pin < jSlot.pin; ++diode) {
                table.foundPins.push_back(*diode);
            }
            if (diode != diodeSlots.end() && diode->pin == jSlot.pin) {
                ++diode;
            }
            table.foundPins.push_back(jSlot);
        }
        table.foundPins.insert(table.foundPins.end(), diode, diodeSlots.end());
        tables.push_back(std::move(table));
    }
    return tables;
}

}  // namespace zemra
