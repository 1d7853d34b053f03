#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "decode/record_codes.h"
#include "text/fixed_text.h"

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
    bool skip = false;
    TypeCode typeCode{};
    char modeCode = 0;
    std::int8_t delay = 0;
    int hiPin = 0;
    int loPin = 0;
    std::array<int, 5> guardPins{};
    FixedText<10> partName;  // raw bytes up to the first zero byte
    LcCode lc;               // raw bytes up to the first zero byte
};

ComponentRecord decodeRecord(std::span<const std::byte, kRecordSize> bytes);

}  // namespace zemra
