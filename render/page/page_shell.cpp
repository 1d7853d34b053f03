#include "page_shell.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include "html_text.h"
#include "page_assets.h"
#include "platform/sha256.h"

namespace zemra::cli {
namespace {

std::string base64Of(std::span<const std::uint8_t> bytes) {
    constexpr std::string_view kDigits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - at);
        std::uint32_t group = 0;
        for (std::size_t index = 0; index < 3; ++index) {
            group = (group << 8U) | (index < count ? bytes[at + index] : 0U);
        }
        for (std::size_t index = 0; index < 4; ++index) {
            text += index <= count ? kDigits[(group >> (18U - 6U * index)) & 0x3FU] : '=';
        }
    }
    return text;
}

// The source expression that allows exactly the inline element whose text is `text`.
std::string hashSource(std::string_view text) {
    platform::Sha256 hash;
    hash.update(std::as_bytes(std::span(text)));
    return "'sha256-" + base64Of(hash.finish()) + "'";
}

}  // namespace

std::string contentPolicy() {
    // Nothing but the page itself may load: its own style sheet and script, known by their
    // hashes, and data: URIs.
    return "default-src 'none'; style-src " + hashSource(kPageStyle) + "; script-src " +
           hashSource(kPageScript) + "; img-src data:";
}

void appendPageStart(std::string_view title, std::string& page) {
    page += kPageHead;
    page +=
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
        "<meta http-equiv=\"Content-Security-Policy\" content=\"";
    page += contentPolicy();
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
