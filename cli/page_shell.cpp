#include "page_shell.h"

#include "html_text.h"
#include "page_assets.h"

namespace zemra::cli {
namespace {

// Nothing but the page itself may load: its inline style and script, and data: URIs.
constexpr const char* kContentPolicy =
    "default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'; img-src data:";

}  // namespace

void appendPageStart(std::string_view title, std::string& page) {
    page += kPageHead;
    page +=
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
        "<meta http-equiv=\"Content-Security-Policy\" content=\"";
    page += kContentPolicy;
    page += "\"><title>";
    appendHtml(page, title);
    page += "</title><style>";
    page += kPageStyle;
    page += "</style></head>\n<body>";
}

void appendPageEnd(const Json& data, std::string& page) {
    // "<" never occurs in the data as itself, so that no name can end the element.
    page += kPageDataStart;
    for (const char character : jsonText(data)) {
        if (character == '<') {
            page += "\\u003C";
        } else {
            page += character;
        }
    }
    page += "</script>\n<script>";
    page += kPageScript;
    page += kPageEnd;
}

}  // namespace zemra::cli
