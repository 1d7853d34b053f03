#include "start_arguments.h"

#include "run/exit_status.h"

namespace zemra::app {
namespace {

constexpr const wchar_t* kUsage =
    L"Usage: zemra [FILE]\n\nOpens the zemra dialog, with FILE as the chosen component file when "
    L"one is given. One FILE at most.";

}  // namespace

StartRequest readStartArguments(std::span<const std::wstring> arguments) {
    if (arguments.empty()) {
        return {};
    }
    if (arguments.size() == 1 && arguments.front() == L"/?") {
        return {std::nullopt, kUsage, kExitClean};
    }
    if (arguments.size() == 1) {
        return {std::filesystem::path(arguments.front()), std::nullopt};
    }
    return {std::nullopt, kUsage, kExitUsage};
}

}  // namespace zemra::app
