#pragma once

#include <string>
#include <string_view>

namespace zemra::cli {

// Raw bytes of a part name or LC code as text: each byte 0x20 to 0x7E is itself, every other
// byte is \u00XX.
std::string printableBytes(std::string_view bytes);

// Raw bytes of a part name or LC code as JSON string content: each byte 0x20 to 0x7E is itself
// (the quote and the backslash escaped, as JSON needs), every other byte is \u00XX.
std::string escapedBytes(std::string_view bytes);

// A file name as JSON string content: UTF-8 stays as it is, control characters, quote and
// backslash are escaped, and each byte that is no part of valid UTF-8 is \u00XX.
std::string escapedPath(std::string_view utf8);

}  // namespace zemra::cli
