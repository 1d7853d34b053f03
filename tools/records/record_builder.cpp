#include "record_builder.h"

#include <algorithm>

namespace zemra {

RecordBuilder& RecordBuilder::name(std::string_view partName) {
    for (std::size_t index = 0; index < 10; ++index) {
        put(52 + index, index < partName.size() ? static_cast<unsigned char>(partName[index]) : 0);
    }
    return *this;
}

RecordBuilder& RecordBuilder::lc(std::string_view code) {
    for (std::size_t index = 0; index < 2; ++index) {
        put(62 + index, index < code.size() ? static_cast<unsigned char>(code[index]) : 0);
    }
    return *this;
}

RecordBuilder& RecordBuilder::standard(std::int16_t value, std::uint8_t rangeCode) {
    const auto raw = static_cast<std::uint16_t>(value);
    put(3, raw);
    put(4, raw >> 8U);
    put(5, rangeCode);
    return *this;
}

RecordBuilder& RecordBuilder::actual(std::int16_t value, std::uint8_t rangeCode) {
    const auto raw = static_cast<std::uint16_t>(value);
    put(6, raw);
    put(7, raw >> 8U);
    put(8, rangeCode);
    return *this;
}

RecordBuilder& RecordBuilder::limits(std::int8_t upper, std::int8_t lower, std::uint8_t upperCode,
                                     std::uint8_t lowerCode) {
    put(12, static_cast<std::uint8_t>(upper));
    put(14, upperCode);
    put(15, static_cast<std::uint8_t>(lower));
    put(17, lowerCode);
    return *this;
}

RecordBuilder& RecordBuilder::skip(bool skipped) {
    put(18, skipped ? 0x80U : 0x00U);
    return *this;
}

RecordBuilder& RecordBuilder::typeCode(std::int8_t code) {
    put(19, static_cast<std::uint8_t>(code));
    return *this;
}

RecordBuilder& RecordBuilder::mode(char modeCode) {
    put(20, static_cast<unsigned char>(modeCode));
    return *this;
}

RecordBuilder& RecordBuilder::delay(std::int8_t delayValue) {
    put(21, static_cast<std::uint8_t>(delayValue));
    return *this;
}

RecordBuilder& RecordBuilder::pins(int hiPin, int loPin) {
    const auto hi = static_cast<unsigned>(hiPin);
    const auto lo = static_cast<unsigned>(loPin);
    put(25, lo);
    put(26, hi);
    put(27, ((hi >> 8U) & 0x0FU) << 4U | ((lo >> 8U) & 0x0FU));
    return *this;
}

RecordBuilder& RecordBuilder::guards(const std::array<int, 5>& guardPins) {
    std::array<unsigned, 5> pins{};
    std::transform(guardPins.begin(), guardPins.end(), pins.begin(),
                   [](int pin) { return static_cast<unsigned>(pin); });
    for (std::size_t index = 0; index < pins.size(); ++index) {
        put(28 + index, pins[index]);
    }
    put(38, ((pins[1] >> 8U) & 0x0FU) << 4U | ((pins[0] >> 8U) & 0x0FU));
    put(39, ((pins[3] >> 8U) & 0x0FU) << 4U | ((pins[2] >> 8U) & 0x0FU));
    put(40, (pins[4] >> 8U) & 0x0FU);
    return *this;
}

RecordBuilder& RecordBuilder::byteAt(std::size_t offset, std::uint8_t value) {
    put(offset, value);
    return *this;
}

void RecordBuilder::appendTo(std::vector<std::byte>& file) const {
    file.insert(file.end(), bytes_.begin(), bytes_.end());
}

}  // namespace zemra
