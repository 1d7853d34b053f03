#include "report/board_report.h"

#include <algorithm>

namespace zemra {

std::string_view originText(PinOrigin origin) {
    switch (origin) {
        case PinOrigin::Diode:
            return "diode";
        case PinOrigin::J:
            return "j";
        case PinOrigin::None:
            return "none";
    }
    return "";
}

std::size_t BoardReport::icCount() const {
    return outcome.summary ? outcome.summary->ics.size() : 0;
}

void BoardReport::mapIcs() {
    mappedIcs = 0;
    std::int64_t pins = 0;
    for (std::size_t index = 0; index < icCount(); ++index) {
        pins += std::min(outcome.summary->ics[index].pinCount, kMostDrawnPins);
        if (pins > kMostPinsPerBoard) {
            return;
        }
        mappedIcs = index + 1;
    }
}

std::vector<DrawnPin> BoardReport::drawnPins(std::size_t index) const {
    std::vector<DrawnPin> pins;
    if (index >= mappedIcs) {
        return pins;
    }
    const IcPinTable& table = outcome.summary->icPinTables.at(index);
    const int drawn = std::min(table.pinCount, kMostDrawnPins);
    pins.reserve(static_cast<std::size_t>(std::max(drawn, 0)));
    auto found = table.foundPins.begin();
    for (int pin = 1; pin <= drawn; ++pin) {
        while (found != table.foundPins.end() && found->pin < pin) {
            ++found;
        }
        if (found != table.foundPins.end() && found->pin == pin) {
            const PinOrigin origin = found->testerPin == 0                  ? PinOrigin::None
                                     : found->source == PinSource::DiodePin ? PinOrigin::Diode
                                                                            : PinOrigin::J;
            pins.push_back({pin, found->testerPin, origin, &pinSteps.at(found->pinStep)});
        } else {
            pins.push_back({pin, 0, PinOrigin::None, nullptr});
        }
    }
    return pins;
}

std::int64_t BoardReport::pinsNotDrawn(std::size_t index) const {
    const int pinCount = outcome.summary->ics.at(index).pinCount;
    return index < mappedIcs ? std::max(pinCount - kMostDrawnPins, 0) : pinCount;
}

}  // namespace zemra
