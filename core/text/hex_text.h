#pragma once

#include <string>
#include <string_view>

namespace zemra {

enum class HexCase { Lower, Upper };

// Appends the two hex digits of the low byte of `byte`.
inline void appendHexByte(std::string& out, unsigned byte, HexCase hexCase) {
    constexpr std::string_view kLower = "0123456789abcdef";
    constexpr std::string_view kUpper = "0123456789ABCDEF";
    const std::string_view digits = hexCase == HexCase::Upper ? kUpper : kLower;
    out += digits[(byte >> 4U) & 0x0FU];
    out += digits[byte & 0x0FU];
}

}  // namespace zemra
