#pragma once

// The few services of the operating system whose calls differ between Windows and POSIX systems.
// Each has one implementation per system, in platform_windows.cpp and platform_posix.cpp.

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

namespace zemra::platform {

// The local time of `time` in the machine's time zone.
std::tm localTimeOf(std::time_t time);

// The text of a path as UTF-8, whatever encoding the system uses for paths. Names that are not
// valid in the system's encoding come out with replacement characters, never as an exception.
std::string utf8Of(const std::filesystem::path& path);
// The path named by UTF-8 text.
std::filesystem::path pathFromUtf8(std::string_view text);

}  // namespace zemra::platform
