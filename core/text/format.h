#pragma once

#include <cstdint>
#include <string>

namespace zemra {

// Appends printf-style output to `out`. The listing formats are C formats, copied exactly; this
// keeps their padding, rounding and byte-wise handling of names.
void appendFormatted(std::string& out, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// Appends `value` in decimal, right-aligned in at least `width` characters (like "%*lld"). Used
// where millions of lines make printf's parsing the bottleneck.
void appendPadded(std::string& out, std::int64_t value, int width);

// The decimal text of a number, as "%d" prints it.
std::string decimalText(std::int64_t value);

}  // namespace zemra
