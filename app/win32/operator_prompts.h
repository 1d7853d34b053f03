#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string_view>

namespace zemra::app {

// What the main dialog asks of the operator outside itself: a file to read and the
// acknowledgement of a message, each in a window of its own over `owner`. Tests put their own
// answers here.
class OperatorPrompts {
  public:
    virtual ~OperatorPrompts() = default;

    // The file the operator chose, or nothing when the choice was cancelled.
    virtual std::optional<std::filesystem::path> chooseInputFile(HWND owner) = 0;
    // Shows one message and returns when the operator has acknowledged it.
    virtual void showMessage(HWND owner, std::wstring_view text) = 0;
};

}  // namespace zemra::app
