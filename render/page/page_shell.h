#pragma once

#include <string>
#include <string_view>

#include "json_text.h"

namespace zemra::cli {

// The page's content-security policy: nothing loads from outside the page, and of what is inline
// only the page's own style sheet and script apply.
std::string contentPolicy();

// How every page zemra-convert writes begins, where its data begins, and how it ends: what tells
// such a page from any other file when a page is to be replaced.
inline constexpr std::string_view kPageHead =
    "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">";
inline constexpr std::string_view kPageDataStart =
    "<script type=\"application/json\" id=\"zemra-data\">";
inline constexpr std::string_view kPageEnd = "</script>\n</body></html>\n";

// The frame of every page zemra-convert writes: the document's head with its title (UTF-8), the
// page's style sheet and a policy that lets nothing outside the page load, then the body.
void appendPageStart(std::string_view title, std::string& page);

// The end of the body: `data` as JSON in <script type="application/json" id="zemra-data">, then
// the page's script, which sorts and filters the tables.
void appendPageEnd(const Json& data, std::string& page);

}  // namespace zemra::cli
