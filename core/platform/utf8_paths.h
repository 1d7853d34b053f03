#pragma once

// Paths as UTF-8 text, the encoding of every text inside zemra, whatever encoding the system uses
// for paths. One implementation per system, in utf8_paths_windows.cpp and utf8_paths_posix.cpp.

#include <filesystem>
#include <string>
#include <string_view>

namespace zemra::platform {

// The text of a path as UTF-8. Names that are not valid in the system's encoding come out with
// replacement characters, never as an exception.
std::string utf8Of(const std::filesystem::path& path);
// The path named by UTF-8 text.
std::filesystem::path pathFromUtf8(std::string_view text);

}  // namespace zemra::platform
