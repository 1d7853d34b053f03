#include "text/format.h"

#include <array>
#include <cstdarg>
#include <cstdio>

namespace zemra {

void appendFormatted(std::string& out, const char* format, ...) {
    std::array<char, 256> buffer{};
    va_list args;
    va_start(args, format);
    va_list retry;
    va_copy(retry, args);
    const int length = std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    if (length < 0) {
        va_end(retry);
        return;
    }
    const auto size = static_cast<std::size_t>(length);
    if (size < buffer.size()) {
        out.append(buffer.data(), size);
    } else {
        const std::size_t start = out.size();
        out.resize(start + size + 1);
        std::vsnprintf(out.data() + start, size + 1, format, retry);
        out.resize(start + size);
    }
    va_end(retry);
}

void appendPadded(std::string& out, std::int64_t value, int width) {
    std::array<char, 24> digits{};
    std::size_t count = 0;
    const bool negative = value < 0;
    // Work on the magnitude as unsigned so that the smallest int64 has one too.
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    const std::size_t length = count + (negative ? 1 : 0);
    if (width > 0 && static_cast<std::size_t>(width) > length) {
        out.append(static_cast<std::size_t>(width) - length, ' ');
    }
    if (negative) {
        out.push_back('-');
    }
    while (count > 0) {
        out.push_back(digits[--count]);
    }
}

std::string decimalText(std::int64_t value) {
    std::string text;
    appendPadded(text, value, 0);
    return text;
}

}  // namespace zemra
