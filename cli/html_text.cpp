#include "html_text.h"

#include "escaped_text.h"

namespace zemra::cli {

void appendHtml(std::string& out, std::string_view utf8) {
    for (const char character : escapedLayoutControls(utf8)) {
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

void appendHtmlBytes(std::string& out, std::string_view bytes) {
    appendHtml(out, printableBytes(bytes));
}

}  // namespace zemra::cli
