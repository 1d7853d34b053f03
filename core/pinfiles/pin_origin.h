#pragma once

#include <cstdint>
#include <string_view>

namespace zemra {

// Where the tester pin of an IC pin came from: a diode step, a J step, or nowhere (no pin found).
enum class PinOrigin : std::uint8_t { Diode, J, None };

// "diode", "j" or "none".
constexpr std::string_view originText(PinOrigin origin) {
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

}  // namespace zemra
