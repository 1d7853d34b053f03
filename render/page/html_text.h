#pragma once

#include <string>
#include <string_view>

namespace zemra::cli {

// UTF-8 text as HTML text or attribute value: &, <, >, " and ' as references; the line and
// paragraph separators and the controls of bidirectional text as \u2028 and so on, so that a
// name cannot reorder what the page shows around it.
void appendHtml(std::string& out, std::string_view utf8);

// Raw bytes of a name or a check's sentence as HTML: each byte 0x20 to 0x7E is itself (escaped
// for HTML), every other byte is \u00XX, so that no byte of a name can break the page.
void appendHtmlBytes(std::string& out, std::string_view bytes);

}  // namespace zemra::cli
