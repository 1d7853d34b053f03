#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zemra::app {

// What the command line asks of zemra.exe: the dialog, with the component file it names as the
// chosen input (`zemra.exe "D:\boards\BOARD7.cmp"`, as a file association runs it), or, for
// anything else, the usage shown to the operator.
struct StartRequest {
    std::optional<std::filesystem::path> input;
    std::optional<std::wstring> usage;
};

StartRequest readStartArguments(std::span<const std::wstring> arguments);

// The program's arguments, without its own name, as Windows splits its command line.
std::vector<std::wstring> commandLineArguments();

}  // namespace zemra::app
