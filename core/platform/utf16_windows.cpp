#include "platform/utf16.h"

#include <windows.h>

namespace zemra::platform {

std::wstring utf16FromUtf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int textSize = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), textSize, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), textSize, wide.data(), size);
    return wide;
}

std::string utf8FromUtf16(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int textSize = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), textSize, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), textSize, narrow.data(), size, nullptr, nullptr);
    return narrow;
}

}  // namespace zemra::platform
