#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zemra {

// Builds the 64 bytes of one component record field by field; unset bytes stay zero.
class RecordBuilder {
  public:
    static constexpr std::uint8_t kLimitCode = 0x71;

    RecordBuilder& name(std::string_view partName);  // at most 10 bytes are kept
    RecordBuilder& lc(std::string_view code);        // at most 2 bytes are kept
    RecordBuilder& standard(std::int16_t value, std::uint8_t rangeCode);
    RecordBuilder& actual(std::int16_t value, std::uint8_t rangeCode);
    // Limit bytes as the record holds them, with their codes (0x71 means "as read").
    RecordBuilder& limits(std::int8_t upper, std::int8_t lower, std::uint8_t upperCode = kLimitCode,
                          std::uint8_t lowerCode = kLimitCode);
    RecordBuilder& skip(bool skipped = true);
    RecordBuilder& typeCode(std::int8_t code);
    RecordBuilder& mode(char modeCode);
    RecordBuilder& delay(std::int8_t delay);
    RecordBuilder& pins(int hiPin, int loPin);  // 12 bits each
    RecordBuilder& guards(const std::array<int, 5>& guardPins);
    RecordBuilder& byteAt(std::size_t offset, std::uint8_t value);

    const std::array<std::byte, 64>& bytes() const { return bytes_; }
    // Appends the record to a component file's bytes.
    void appendTo(std::vector<std::byte>& file) const;

  private:
    void put(std::size_t offset, unsigned value) { bytes_[offset] = std::byte(value & 0xFFU); }

    std::array<std::byte, 64> bytes_{};
};

}  // namespace zemra
