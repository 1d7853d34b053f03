#include "win32_front_end.h"

#include "platform/utf16.h"

namespace zemra::app {

std::optional<std::filesystem::path> Win32FrontEnd::chooseInputFile() {
    return prompts_.chooseInputFile(owner_);
}

void Win32FrontEnd::showMessage(std::string_view text) {
    prompts_.showMessage(owner_, platform::utf16FromUtf8(text));
}

void Win32FrontEnd::setBusy(bool busy) {
    // The run holds the thread, so no window can set another cursor while it lasts.
    if (busy) {
        cursorBeforeBusy_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    } else {
        SetCursor(cursorBeforeBusy_);
    }
}

}  // namespace zemra::app
