#include "escaped_text.h"

#include <algorithm>
#include <array>

#include "platform/utf8_paths.h"

namespace zemra::cli {
namespace {

constexpr std::array<char, 16> kUpperHex{'0', '1', '2', '3', '4', '5', '6', '7',
                                         '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
constexpr std::array<char, 16> kLowerHex{'0', '1', '2', '3', '4', '5', '6', '7',
                                         '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};

void appendHexDigits(std::string& out, unsigned char byte, const std::array<char, 16>& digits) {
    out += digits[byte >> 4U];
    out += digits[byte & 0x0FU];
}

void appendEscapedByte(std::string& out, unsigned char byte) {
    out += "\\u00";
    appendHexDigits(out, byte, kUpperHex);
}

// Appends a byte from 0x20 to 0x7E, or escapes it.
void appendAscii(std::string& out, unsigned char byte) {
    if (byte == '"' || byte == '\\') {
        out += '\\';
        out += static_cast<char>(byte);
    } else if (byte >= 0x20 && byte <= 0x7E) {
        out += static_cast<char>(byte);
    } else {
        appendEscapedByte(out, byte);
    }
}

// A valid UTF-8 sequence at the start of a text: its length (0 if there is none) and the
// character it encodes.
struct Utf8Sequence {
    std::size_t length = 0;
    unsigned character = 0;
};

Utf8Sequence utf8SequenceAt(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    unsigned minimum = 0;
    unsigned value = 0;
    if (lead < 0x80) {
        return {1, lead};
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, value = lead & 0x1FU;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, value = lead & 0x0FU;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, value = lead & 0x07U;
    } else {
        return {};
    }
    if (text.size() < length) {
        return {};
    }
    for (std::size_t index = 1; index < length; ++index) {
        const auto next = static_cast<unsigned char>(text[index]);
        if ((next & 0xC0U) != 0x80U) {
            return {};
        }
        value = (value << 6U) | (next & 0x3FU);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    if (value < minimum || value > 0x10FFFF || surrogate) {
        return {};
    }
    return {length, value};
}

// The length of the valid UTF-8 sequence at the start of `text`, 0 if there is none.
std::size_t utf8SequenceLength(std::string_view text) {
    return utf8SequenceAt(text).length;
}

// The line and paragraph separators, which break a line, and the controls of bidirectional text,
// which reorder or hide what follows them on a terminal or a page.
bool isLayoutControl(unsigned character) {
    return character == 0x2028 || character == 0x2029 ||
           (character >= 0x202A && character <= 0x202E) ||
           (character >= 0x2066 && character <= 0x2069);
}

// \uXXXX, as C++ and JSON write a character.
void appendCharacterEscape(std::string& out, unsigned character) {
    out += "\\u";
    appendHexDigits(out, static_cast<unsigned char>(character >> 8U), kUpperHex);
    appendHexDigits(out, static_cast<unsigned char>(character & 0xFFU), kUpperHex);
}

// \xNN, as C writes a byte.
void appendHexEscape(std::string& out, unsigned char byte) {
    out += "\\x";
    appendHexDigits(out, byte, kLowerHex);
}

// Appends an ASCII byte as consoleEscapedText() shows it.
void appendConsoleAscii(std::string& out, unsigned char byte) {
    constexpr bool kBackslashSeparatesFolders = std::filesystem::path::preferred_separator == '\\';
    switch (byte) {
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        case '\\':
            out += kBackslashSeparatesFolders ? "\\" : "\\\\";
            return;
        default:
            break;
    }
    if (byte < 0x20 || byte == 0x7F) {
        appendHexEscape(out, byte);
    } else {
        out += static_cast<char>(byte);
    }
}

}  // namespace

std::string consoleEscapedText(std::string_view utf8) {
    std::string out;
    while (!utf8.empty()) {
        const auto byte = static_cast<unsigned char>(utf8[0]);
        if (byte < 0x80) {
            appendConsoleAscii(out, byte);
            utf8.remove_prefix(1);
            continue;
        }
        const auto [length, character] = utf8SequenceAt(utf8);
        const bool c1Control = length == 2 && character < 0xA0;
        if (isLayoutControl(character)) {
            appendCharacterEscape(out, character);
            utf8.remove_prefix(length);
        } else if (length == 0 || c1Control) {
            const std::size_t escaped = std::max<std::size_t>(length, 1);
            for (const char part : utf8.substr(0, escaped)) {
                appendHexEscape(out, static_cast<unsigned char>(part));
            }
            utf8.remove_prefix(escaped);
        } else {
            out.append(utf8.substr(0, length));
            utf8.remove_prefix(length);
        }
    }
    return out;
}

std::string htmlEscapedLayoutControls(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const auto [length, character] = utf8SequenceAt(utf8);
        if (isLayoutControl(character)) {
            appendCharacterEscape(out, character);
        } else {
            out.append(utf8.substr(0, std::max<std::size_t>(length, 1)));
        }
        utf8.remove_prefix(std::max<std::size_t>(length, 1));
    }
    return out;
}

std::string consoleEscapedName(const std::filesystem::path& path) {
    return consoleEscapedText(platform::utf8Of(path));
}

std::string textEscapedBytes(std::string_view bytes) {
    std::string out;
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        if (code >= 0x20 && code <= 0x7E) {
            out += byte;
        } else {
            appendEscapedByte(out, code);
        }
    }
    return out;
}

std::string dumpEscapedBytes(std::string_view bytes) {
    std::string out;
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        if (byte == '\\') {
            out += "\\\\";
        } else if (code >= 0x20 && code <= 0x7E) {
            out += byte;
        } else {
            appendEscapedByte(out, code);
        }
    }
    return out;
}

std::string textEscapedName(std::string_view bytes) {
    std::string out;
    for (const char byte : bytes) {
        appendAscii(out, static_cast<unsigned char>(byte));
    }
    return out;
}

std::string jsonEscapedPath(std::string_view utf8) {
    std::string out;
    while (!utf8.empty()) {
        const auto byte = static_cast<unsigned char>(utf8[0]);
        const std::size_t length = byte >= 0x80 ? utf8SequenceLength(utf8) : 0;
        if (length > 0) {
            out.append(utf8.substr(0, length));
            utf8.remove_prefix(length);
        } else {
            appendAscii(out, byte);
            utf8.remove_prefix(1);
        }
    }
    return out;
}

}  // namespace zemra::cli
