#pragma once

// What zemra-convert takes from the operating system besides files: its arguments, its two
// output streams, and the expansion of wildcards where the shell leaves that to the program.
// One implementation per system, in platform_windows.cpp and platform_posix.cpp.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zemra::cli {

// The program's arguments after its own name, in UTF-8.
std::vector<std::string> commandLineArguments(int argc, char** argv);

enum class Stream { Output, Error };

// Writes UTF-8 text to standard output or standard error. A console shows it as the characters
// it encodes; a file or pipe gets the UTF-8 bytes themselves.
void writeText(Stream stream, std::string_view text);

// The input files named by the file arguments. Where the shell does not expand wildcards, a name
// holding '*' or '?' stands for the files of its folder that it matches, in name order; a name
// that matches no file is kept, so that it is reported as missing.
std::vector<std::filesystem::path> expandWildcards(
    const std::vector<std::filesystem::path>& inputs);

}  // namespace zemra::cli
