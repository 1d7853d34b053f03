#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace zemra::app {

// What the command line asks of zemra.exe: the dialog, with the component file it names as the
// chosen input (`zemra.exe "D:\boards\BOARD7.cmp"`, as a file association runs it), or the usage
// shown to the operator, for "/?" and for anything else.
struct StartRequest {
    std::optional<std::filesystem::path> input;
    std::optional<std::wstring> usage;
    int exitStatus = 0;  // of a start that shows the usage
};

// "/?" is zemra.exe's one option; any other argument, one that begins with '/' too, is a file.
StartRequest readStartArguments(std::span<const std::wstring> arguments);

}  // namespace zemra::app
