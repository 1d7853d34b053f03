#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zemra {

inline constexpr std::size_t kRecordSize = 64;

// One 64-byte record of a component file (.cmp), with its numbers decoded. Every byte sequence
// is a record: nothing here is validated.
struct ComponentRecord {
    std::int16_t standardValue = 0;
    std::uint8_t standardRange = 0;
    std::int16_t actualValue = 0;
    std::uint8_t actualRange = 0;
    std::int8_t upperLimit = 0;
    std::uint8_t upperLimitCode = 0;
    int lowerLimit = 0;  // absolute value of the signed byte: 0x80 gives 128
    std::uint8_t lowerLimitCode = 0;
    int skip = 0;
    std::int8_t typeCode = 0;
    char modeCode = 0;
    std::int8_t delay = 0;
    int hiPin = 0;
    int loPin = 0;
    std::array<int, 5> guardPins{};
    std::string partName;  // raw bytes, at most 10
    std::string lc;        // raw bytes, at most 2
};

ComponentRecord decodeRecord(std::span<const std::byte, kRecordSize> bytes);

}  // namespace zemra
