#include "decode/record_fields.h"

#include <array>
#include <string>

#include "decode/component_record.h"

namespace zemra {
namespace {

constexpr std::array<const char*, kRecordFieldCount> kFieldNames{
    "partName",    "lc",         "skip",           "standardValue", "standardRange",  "actualValue",
    "actualRange", "upperLimit", "upperLimitCode", "lowerLimit",    "lowerLimitCode", "typeCode",
    "modeCode",    "delay",      "hiPin",          "loPin",         "guardPin1",      "guardPin2",
    "guardPin3",   "guardPin4",  "guardPin5"};

// A code byte as 0xNN, which no spreadsheet takes for a number.
std::string codeOf(unsigned value) {
    return "0x" + hexOfBytes(std::array{std::byte(value & 0xFFU)});
}

int signedByte(std::span<const std::byte, kRecordSize> bytes, std::size_t offset) {
    return static_cast<std::int8_t>(std::to_integer<unsigned>(bytes[offset]));
}

// Builds the fields of one record, column by column.
class FieldRow {
  public:
    void number(std::int64_t value) { fields_[column_++] = {DumpField::Kind::Number, value, {}}; }
    void text(DumpField::Kind kind, std::string value) {
        fields_[column_++] = {kind, 0, std::move(value)};
    }
    RecordFields take() { return std::move(fields_); }

  private:
    RecordFields fields_;
    std::size_t column_ = 0;
};

}  // namespace

std::string hexOfBytes(std::span<const std::byte> bytes) {
    constexpr std::array<char, 16> kHex{'0', '1', '2', '3', '4', '5', '6', '7',
                                        '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    std::string text;
    for (const std::byte byte : bytes) {
        const auto value = std::to_integer<unsigned>(byte);
        text += kHex[value >> 4U];
        text += kHex[value & 0x0FU];
    }
    return text;
}

std::span<const char* const, kRecordFieldCount> recordFieldNames() {
    return kFieldNames;
}

RecordFields readRecordFields(std::span<const std::byte, kRecordSize> bytes) {
    const ComponentRecord record = decodeRecord(bytes);
    FieldRow row;
    row.text(DumpField::Kind::Name, std::string(record.partName.view()));
    row.text(DumpField::Kind::Name, std::string(record.lc.view()));
    row.number(record.skip ? 1 : 0);
    row.number(record.standardValue);
    row.text(DumpField::Kind::Code, codeOf(record.standardRange));
    row.number(record.actualValue);
    row.text(DumpField::Kind::Code, codeOf(record.actualRange));
    // Limits as the record holds them: both are signed bytes before any rule applies.
    row.number(signedByte(bytes, 12));
    row.text(DumpField::Kind::Code, codeOf(record.upperLimitCode));
    row.number(signedByte(bytes, 15));
    row.text(DumpField::Kind::Code, codeOf(record.lowerLimitCode));
    row.number(static_cast<int>(record.typeCode));
    row.text(DumpField::Kind::Code, codeOf(static_cast<unsigned char>(record.modeCode)));
    row.number(record.delay);
    row.number(record.hiPin);
    row.number(record.loPin);
    for (const int guard : record.guardPins) {
        row.number(guard);
    }
    return row.take();
}

}  // namespace zemra
