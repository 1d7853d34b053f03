#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zemra::cli {

// Raw bytes (a check's sentence, a tuning line's name and values) as the text outputs show them
// for people to read, not to read back: each byte 0x20 to 0x7E is itself, every other byte is
// \u00XX. The page shows raw bytes so too.
std::string textEscapedBytes(std::string_view bytes);

// Raw bytes of a part name or LC code as the record dump shows them: as textEscapedBytes(), with
// each backslash doubled, so that the text reads back to exactly the record's bytes.
std::string dumpEscapedBytes(std::string_view bytes);

// Raw bytes of a part name, an LC code or a listed value as the text report and the text diff
// show them: in the form of JSON string content, so that a name reads the same as in --json and
// back to exactly its bytes. Each byte 0x20 to 0x7E is itself (the quote and the backslash
// escaped), every other byte is \u00XX.
std::string textEscapedName(std::string_view bytes);

// A file name as JSON string content: UTF-8 stays as it is, control characters, quote and
// backslash are escaped, and each byte that is no part of valid UTF-8 is \u00XX.
std::string jsonEscapedPath(std::string_view utf8);

// A text that holds file names (a name itself, a message) as the program shows it on one line of
// the console: a newline, carriage return and tab become \n, \r and \t, every other control
// character (below 0x20, DEL, the C1 controls U+0080 to U+009F) and every byte that is no part of
// valid UTF-8 becomes \xNN per byte, and a backslash becomes \\, except on Windows, where it
// separates folders and a file name cannot hold a control character. The line and paragraph
// separators (U+2028, U+2029) and the controls of bidirectional text (U+202A to U+202E, U+2066 to
// U+2069), which would break the line or reorder what it shows, become \u2028 and so on. Everything
// else stays as it is.
std::string consoleEscapedText(std::string_view utf8);
// UTF-8 text for a page, with the separators and bidirectional controls that
// consoleEscapedText() escapes escaped as it does; everything else as it is.
std::string htmlEscapedLayoutControls(std::string_view utf8);
// A path as consoleEscapedText() shows it.
std::string consoleEscapedName(const std::filesystem::path& path);

}  // namespace zemra::cli
