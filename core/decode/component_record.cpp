#include "decode/component_record.h"

#include <cstdlib>
#include <string_view>

namespace zemra {
namespace {

// Record layout: byte offsets of the fields the converter reads.
constexpr std::size_t kStandardValue = 3;
constexpr std::size_t kStandardRange = 5;
constexpr std::size_t kActualValue = 6;
constexpr std::size_t kActualRange = 8;
constexpr std::size_t kUpperLimit = 12;
constexpr std::size_t kUpperLimitCode = 14;
constexpr std::size_t kLowerLimit = 15;
constexpr std::size_t kLowerLimitCode = 17;
constexpr std::size_t kFlags = 18;
constexpr std::size_t kTypeCode = 19;
constexpr std::size_t kModeCode = 20;
constexpr std::size_t kDelay = 21;
constexpr std::size_t kLoPinLow = 25;
constexpr std::size_t kHiPinLow = 26;
constexpr std::size_t kHiLoPinHigh = 27;
constexpr std::size_t kGuardPinsLow = 28;
constexpr std::size_t kGuardPins12High = 38;
constexpr std::size_t kGuardPins34High = 39;
constexpr std::size_t kGuardPin5High = 40;
constexpr std::size_t kPartName = 52;
constexpr std::size_t kPartNameSize = 10;
constexpr std::size_t kLc = 62;
constexpr std::size_t kLcSize = 2;

class RecordBytes {
  public:
    explicit RecordBytes(std::span<const std::byte, kRecordSize> bytes) : bytes_(bytes) {}

    unsigned at(std::size_t offset) const { return std::to_integer<unsigned>(bytes_[offset]); }
    std::int8_t signedAt(std::size_t offset) const { return static_cast<std::int8_t>(at(offset)); }
    unsigned lowNibble(std::size_t offset) const { return at(offset) & 0x0FU; }
    unsigned highNibble(std::size_t offset) const { return at(offset) >> 4; }

    std::int16_t int16At(std::size_t offset) const {
        return static_cast<std::int16_t>(signedAt(offset + 1) * 256 + static_cast<int>(at(offset)));
    }

    int pin(unsigned high, std::size_t lowOffset) const {
        return static_cast<int>(high * 256 + at(lowOffset));
    }

    // Text up to the first zero byte or the end of the field.
    std::string_view text(std::size_t offset, std::size_t size) const {
        const auto* first = reinterpret_cast<const char*>(bytes_.data() + offset);
        std::size_t length = 0;
        while (length < size && first[length] != 0) {
            ++length;
        }
        return {first, length};
    }

  private:
    std::span<const std::byte, kRecordSize> bytes_;
};

}  // namespace

ComponentRecord decodeRecord(std::span<const std::byte, kRecordSize> bytes) {
    const RecordBytes record(bytes);
    ComponentRecord decoded;
    decoded.standardValue = record.int16At(kStandardValue);
    decoded.standardRange = static_cast<std::uint8_t>(record.at(kStandardRange));
    decoded.actualValue = record.int16At(kActualValue);
    decoded.actualRange = static_cast<std::uint8_t>(record.at(kActualRange));
    decoded.upperLimit = record.signedAt(kUpperLimit);
    decoded.upperLimitCode = static_cast<std::uint8_t>(record.at(kUpperLimitCode));
    decoded.lowerLimit = std::abs(static_cast<int>(record.signedAt(kLowerLimit)));
    decoded.lowerLimitCode = static_cast<std::uint8_t>(record.at(kLowerLimitCode));
    decoded.skip = (record.at(kFlags) & 0x80U) != 0;
    decoded.typeCode = static_cast<TypeCode>(record.signedAt(kTypeCode));
    decoded.modeCode = static_cast<char>(record.at(kModeCode));
    decoded.delay = record.signedAt(kDelay);
    decoded.loPin = record.pin(record.lowNibble(kHiLoPinHigh), kLoPinLow);
    decoded.hiPin = record.pin(record.highNibble(kHiLoPinHigh), kHiPinLow);
    decoded.guardPins = {
        record.pin(record.lowNibble(kGuardPins12High), kGuardPinsLow),
        record.pin(record.highNibble(kGuardPins12High), kGuardPinsLow + 1),
        record.pin(record.lowNibble(kGuardPins34High), kGuardPinsLow + 2),
        record.pin(record.highNibble(kGuardPins34High), kGuardPinsLow + 3),
        record.pin(record.lowNibble(kGuardPin5High), kGuardPinsLow + 4),
    };
    decoded.partName.assign(record.text(kPartName, kPartNameSize));
    decoded.lc.assign(record.text(kLc, kLcSize));
    return decoded;
}

}  // namespace zemra
