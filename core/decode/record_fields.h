#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zemra {

// One field of a record as the dump and the diff show it: a number, or a text exactly as the
// CSV holds it.
struct DumpField {
    enum class Kind {
        Number,
        Code,  // a text the dump makes: a code in hex, what a record became, its bytes
        Name,  // a text of the record's own (part name, LC) with its bytes made printable
    };
    Kind kind = Kind::Number;
    std::int64_t number = 0;
    std::string text;
};

// The fields of a record that the dump shows between its offset and what it became, as the
// converter reads them, and their columns' names; names as raw bytes.
inline constexpr std::size_t kRecordFieldCount = 21;
using RecordFields = std::array<DumpField, kRecordFieldCount>;
std::span<const char* const, kRecordFieldCount> recordFieldNames();
RecordFields readRecordFields(std::span<const std::byte, 64> bytes);

// `bytes` as lower-case hex, two digits a byte.
std::string hexOfBytes(std::span<const std::byte> bytes);

}  // namespace zemra
