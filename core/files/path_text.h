#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zemra {

// File names as the outputs and messages carry them: UTF-8, which on POSIX systems are the name's
// own bytes whatever they are, and on Windows the UTF-8 form of its wide characters.
inline std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

inline std::filesystem::path pathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace zemra
