#pragma once

// Conversions between UTF-8, the encoding of every text inside zemra, and UTF-16, the encoding of
// the Windows API. Windows only. Invalid sequences on either side become U+FFFD, so a conversion
// never fails.

#include <string>
#include <string_view>

namespace zemra::platform {

std::wstring utf16FromUtf8(std::string_view text);
std::string utf8FromUtf16(std::wstring_view text);

}  // namespace zemra::platform
