#include "platform/utf8_paths.h"

namespace zemra::platform {

// Paths are byte strings here, UTF-8 by convention; their bytes pass through unchanged.
std::string utf8Of(const std::filesystem::path& path) {
    return path.native();
}

std::filesystem::path pathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::string(text));
}

}  // namespace zemra::platform
