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

std::vector<DrawnPin> BoardReport::drawnPins(std::size_t index) const {
    const ConversionSummary& summary = *outcome.summary;
    const IcPinTable& table = summary.icPinTables.at(index);
    const int drawn = std::min(table.pinCount, kMostDrawnPins);
    std::vector<DrawnPin> pins;
    pins.reserve(static_cast<std::size_t>(std::max(drawn, 0)));
    auto found = table.foundPins.begin();
    for (int pin = 1; pin <= drawn; ++pin) {
        while (found != table.foundPins.end() && found->pin < pin) {
            ++found;
        }
        if (found != table.foundPins.end() && found->pin == pin) {
            const PinOrigin origin =
                found->source == PinSource::DiodePin ? PinOrigin::Diode : PinOrigin::J;
            pins.push_back({pin, found->testerPin, origin, &pinSteps.at(found->pinStep)});
        } else {
            pins.push_back({pin, 0, PinOrigin::None, nullptr});
        }
    }
    return pins;
}

std::int64_t BoardReport::pinsNotDrawn(std::size_t index) const {
    const int pinCount = outcome.summary->ics.at(index).pinCount;
    return std::max(pinCount - kMostDrawnPins, 0);
}

}  // namespace zemra
