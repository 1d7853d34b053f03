#pragma once

// What zemra-convert takes from the operating system besides files: its arguments, its two
// output streams, and the expansion of wildcards where the shell leaves that to the program.
// One implementation per system, in platform_windows.cpp and platform_posix.cpp.

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace zemra::cli {

// The program's arguments after its own name, in UTF-8.
std::vector<std::string> commandLineArguments(int argc, char** argv);

enum class Stream { Output, Error };

// Writes UTF-8 text to standard output or standard error. A console shows it as the characters
// it encodes; a file or pipe gets the UTF-8 bytes themselves. Returns the system's error when the
// text could not be written (a full disk, a closed pipe), nothing when it was or may still be.
std::error_code writeText(Stream stream, std::string_view text);

// Hands on what writeText() holds back for `stream`, and returns the error of that, or of an
// earlier write that the system reports only now.
std::error_code finishText(Stream stream);

// Where the program was started with standard input, output or error closed, puts a read-only
// stand-in in its place, so that no file the program opens later takes its number: a write meant
// for the terminal must fail, never land in an output.
void holdStandardStreams();

// Orders paths by the rules of the system's file names: byte for byte, or ignoring case on
// Windows. Two paths that neither comes before are one name.
struct NameOrder {
    bool operator()(const std::filesystem::path& left, const std::filesystem::path& right) const;
};

// The input files named by the file arguments. Where the shell does not expand wildcards, a name
// holding '*' or '?' stands for the files of its folder that it matches, in name order; a name
// that matches no file is kept, so that it is reported as missing.
std::vector<std::filesystem::path> expandWildcards(
    const std::vector<std::filesystem::path>& inputs);

}  // namespace zemra::cli
