#include "json_text.h"

#include <array>
#include <cstdint>

#include "text/hex_text.h"

namespace zemra::cli {
namespace {

void appendUtf8(std::string& out, std::uint32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0U | (codePoint >> 6U));
        out += static_cast<char>(0x80U | (codePoint & 0x3FU));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0U | (codePoint >> 12U));
        out += static_cast<char>(0x80U | ((codePoint >> 6U) & 0x3FU));
        out += static_cast<char>(0x80U | (codePoint & 0x3FU));
    } else {
        out += static_cast<char>(0xF0U | (codePoint >> 18U));
        out += static_cast<char>(0x80U | ((codePoint >> 12U) & 0x3FU));
        out += static_cast<char>(0x80U | ((codePoint >> 6U) & 0x3FU));
        out += static_cast<char>(0x80U | (codePoint & 0x3FU));
    }
}

// The character that the UTF-8 at the start of `text` encodes and its length in bytes; none when
// the first byte begins no valid sequence (overlong forms and surrogates are not valid).
struct Decoded {
    std::uint32_t codePoint = 0;
    std::size_t length = 0;
};

Decoded decodeUtf8(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    struct Form {
        unsigned char firstLead, lastLead;
        std::size_t length;
        std::uint32_t least;
        unsigned valueBits;
    };
    constexpr std::array<Form, 3> kForms{{{0xC2, 0xDF, 2, 0x80, 0x1F},
                                          {0xE0, 0xEF, 3, 0x800, 0x0F},
                                          {0xF0, 0xF4, 4, 0x10000, 0x07}}};
    for (const Form& form : kForms) {
        if (lead < form.firstLead || lead > form.lastLead || text.size() < form.length) {
            continue;
        }
        std::uint32_t codePoint = lead & form.valueBits;
        for (std::size_t index = 1; index < form.length; ++index) {
            const auto next = static_cast<unsigned char>(text[index]);
            if ((next & 0xC0U) != 0x80U) {
                return {};
            }
            codePoint = (codePoint << 6U) | (next & 0x3FU);
        }
        const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
        if (codePoint < form.least || codePoint > 0x10FFFF || surrogate) {
            return {};
        }
        return {codePoint, form.length};
    }
    return {};
}

}  // namespace

Json byteText(std::string_view bytes) {
    // Each byte is the character of the same number, which the writer escapes when it is not
    // printable ASCII.
    std::string text;
    for (const char byte : bytes) {
        appendUtf8(text, static_cast<unsigned char>(byte));
    }
    return text;
}

Json pathText(std::string_view utf8) {
    std::string text;
    while (!utf8.empty()) {
        const Decoded decoded = decodeUtf8(utf8);
        if (decoded.length == 0) {
            appendUtf8(text, static_cast<unsigned char>(utf8[0]));
            utf8.remove_prefix(1);
        } else {
            text.append(utf8.substr(0, decoded.length));
            utf8.remove_prefix(decoded.length);
        }
    }
    return text;
}

std::string jsonText(const Json& value) {
    // nlohmann-json escapes every character outside ASCII as \uxxxx, but writes some control
    // characters as \n, \t, ..., lowercase hex digits, and DEL as it is: all of these become
    // \uXXXX. A backslash only ever begins an escape, and DEL occurs only inside strings.
    const std::string dumped = value.dump(-1, ' ', true);
    std::string text;
    text.reserve(dumped.size());
    for (std::size_t at = 0; at < dumped.size(); ++at) {
        const char character = dumped[at];
        if (character == '\x7F') {
            text += "\\u007F";
        } else if (character != '\\') {
            text += character;
        } else {
            const char escaped = dumped[++at];
            constexpr std::string_view kShort = "bfnrt";
            constexpr std::string_view kShortCodes = "\b\f\n\r\t";
            if (const std::size_t which = kShort.find(escaped); which != std::string_view::npos) {
                text += "\\u00";
                appendHexByte(text, static_cast<unsigned char>(kShortCodes[which]), HexCase::Upper);
            } else if (escaped == 'u') {
                text += "\\u";
                for (std::size_t digit = 1; digit <= 4; ++digit) {
                    const char hex = dumped[at + digit];
                    text += hex >= 'a' && hex <= 'f' ? static_cast<char>(hex - 'a' + 'A') : hex;
                }
                at += 4;
            } else {
                text += '\\';
                text += escaped;
            }
        }
    }
    return text;
}

void JsonObjectWriter::field(std::string_view name, const Json& value) {
    openField(name) << jsonText(value);
}

std::ostream& JsonObjectWriter::openField(std::string_view name) {
    out_ << (open_ ? ',' : '{') << jsonText(Json(std::string(name))) << ':';
    open_ = true;
    return out_;
}

void JsonObjectWriter::close() {
    out_ << (open_ ? "}" : "{}");
}

}  // namespace zemra::cli
