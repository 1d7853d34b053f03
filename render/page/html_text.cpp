#include "html_text.h"

#include "escaped_text.h"

namespace zemra::cli {

namespace {

void appendEscapedMarkup(std::string& out, std::string_view utf8) {
    for (const char character : utf8) {
        switch (character) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += character;
        }
    }
}

}  // namespace

void appendHtml(std::string& out, std::string_view utf8) {
    // Every separator and bidirectional control begins with the byte 0xE2; most texts hold none.
    if (utf8.find('\xE2') == std::string_view::npos) {
        appendEscapedMarkup(out, utf8);
    } else {
        appendEscapedMarkup(out, htmlEscapedLayoutControls(utf8));
    }
}

void appendHtmlBytes(std::string& out, std::string_view bytes) {
    appendHtml(out, textEscapedBytes(bytes));
}

}  // namespace zemra::cli
