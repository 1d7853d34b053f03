#include "platform/utf8_paths.h"

#include "platform/utf16.h"

namespace zemra::platform {

// Paths are UTF-16 here.
std::string utf8Of(const std::filesystem::path& path) {
    return utf8FromUtf16(path.native());
}

std::filesystem::path pathFromUtf8(std::string_view text) {
    return std::filesystem::path(utf16FromUtf8(text));
}

}  // namespace zemra::platform
