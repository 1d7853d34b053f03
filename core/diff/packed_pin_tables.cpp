#include "diff/packed_pin_tables.h"

namespace zemra {
namespace {

// Small differences of either sign take one or two bytes: zigzag, then 7 bits a byte.
void putSigned(std::int64_t value, std::vector<std::uint8_t>& bytes) {
    auto bits = (static_cast<std::uint64_t>(value) << 1U) ^ static_cast<std::uint64_t>(value >> 63);
    while (bits >= 0x80U) {
        bytes.push_back(static_cast<std::uint8_t>(bits | 0x80U));
        bits >>= 7U;
    }
    bytes.push_back(static_cast<std::uint8_t>(bits));
}

std::int64_t takeSigned(const std::uint8_t*& at) {
    std::uint64_t bits = 0;
    for (unsigned shift = 0;; shift += 7U) {
        const std::uint8_t byte = *at++;
        bits |= static_cast<std::uint64_t>(byte & 0x7FU) << shift;
        if ((byte & 0x80U) == 0) {
            break;
        }
    }
    return static_cast<std::int64_t>(bits >> 1U) ^ -static_cast<std::int64_t>(bits & 1U);
}

}  // namespace

void PackedPinTables::append(const IcPinTable& table) {
    starts_.push_back(bytes_.size());
    putSigned(table.name, bytes_);
    putSigned(table.pinCount, bytes_);
    putSigned(static_cast<std::int64_t>(table.foundPins.size()), bytes_);
    PinSlot last{};
    for (const PinSlot& slot : table.foundPins) {
        // The source rides in the lowest bit of the pin's difference.
        putSigned(((std::int64_t{slot.pin} - last.pin) * 2) + (slot.origin == PinOrigin::J ? 1 : 0),
                  bytes_);
        putSigned(std::int64_t{slot.testerPin} - last.testerPin, bytes_);
        putSigned(std::int64_t{slot.pinStep} - last.pinStep, bytes_);
        last = slot;
    }
}

void PackedPinTables::shrinkToFit() {
    bytes_.shrink_to_fit();
    starts_.shrink_to_fit();
}

void PackedPinTables::unpack(std::size_t index, IcPinTable& table) const {
    const std::uint8_t* at = bytes_.data() + starts_.at(index);
    table.name = static_cast<NameId>(takeSigned(at));
    table.pinCount = static_cast<int>(takeSigned(at));
    const auto count = static_cast<std::size_t>(takeSigned(at));
    table.foundPins.resize(count);
    PinSlot last{};
    for (PinSlot& slot : table.foundPins) {
        const std::int64_t pinAndOrigin = takeSigned(at);
        slot.origin = (pinAndOrigin & 1) != 0 ? PinOrigin::J : PinOrigin::Diode;
        slot.pin = static_cast<int>(last.pin + ((pinAndOrigin - (pinAndOrigin & 1)) / 2));
        slot.testerPin = static_cast<int>(last.testerPin + takeSigned(at));
        slot.pinStep = static_cast<PinStepOrdinal>(last.pinStep + takeSigned(at));
        last = slot;
    }
}

}  // namespace zemra
