#include "start_arguments.h"

#include <windows.h>

#include <shellapi.h>

namespace zemra::app {

StartRequest readStartArguments(std::span<const std::wstring> arguments) {
    if (arguments.empty()) {
        return {};
    }
    if (arguments.size() == 1) {
        return {std::filesystem::path(arguments.front()), std::nullopt};
    }
    return {std::nullopt,
            L"Usage: zemra [FILE]\n\nOpens the zemra dialog, with FILE as the chosen "
            L"component file when one is given. One FILE at most."};
}

std::vector<std::wstring> commandLineArguments() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (words == nullptr) {
        return {};
    }
    std::vector<std::wstring> arguments;
    for (int index = 1; index < count; ++index) {
        arguments.emplace_back(words[index]);
    }
    LocalFree(words);
    return arguments;
}

}  // namespace zemra::app
