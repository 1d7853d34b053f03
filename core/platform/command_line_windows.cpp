#include "platform/command_line.h"

// <windows.h> first: <shellapi.h> builds on it.
#include <windows.h>

#include <shellapi.h>

#include <memory>

namespace zemra::platform {
namespace {

struct LocalMemoryFree {
    void operator()(LPWSTR* memory) const { LocalFree(memory); }
};

}  // namespace

std::vector<std::wstring> commandLineArguments() {
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalMemoryFree> words(
        CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::wstring> arguments;
    for (int index = 1; words && index < count; ++index) {
        arguments.emplace_back(words.get()[index]);
    }
    return arguments;
}

}  // namespace zemra::platform
