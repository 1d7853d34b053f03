#pragma once

#include <filesystem>
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

// A text that holds file names (a name itself, a message) as the program shows it on one line: a
// newline, carriage return and tab become \n, \r and \t, every other control character (below 0x20,
// DEL, the C1 controls U+0080 to U+009F) and every byte that is no part of valid UTF-8 becomes \xNN
// per byte, and a backslash becomes \\, except on Windows, where it separates folders and a
// file name cannot hold a control character. Everything else stays as it is.
std::string shownText(std::string_view utf8);
// A path as shownText() shows it.
std::string shownName(const std::filesystem::path& path);

}  // namespace zemra::cli
