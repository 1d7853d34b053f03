#pragma once

#include <windows.h>

#include <shellapi.h>

#include <filesystem>
#include <optional>

#include "converter_session.h"
#include "files/file_system.h"
#include "operator_prompts.h"
#include "win32_front_end.h"

namespace zemra::app {

// The main dialog, template 102: binds its buttons and boxes to the operator logic, which converts
// with the files of `fileSystem`, the prompts to the operator, and adds the About entry to its
// system menu.
class ConverterDialog {
  public:
    ConverterDialog(HINSTANCE instance, OperatorPrompts& prompts, FileSystem& fileSystem);
    ConverterDialog(const ConverterDialog&) = delete;
    ConverterDialog& operator=(const ConverterDialog&) = delete;
    ~ConverterDialog();

    // Takes `path` as the chosen input once the dialog is on the screen, as if it had been picked
    // with Read file, so that a message about it shows over the dialog.
    void chooseInputOnOpen(std::filesystem::path path);

    // Runs the dialog until the operator closes it; IDOK or IDCANCEL as it was closed, -1 when
    // it could not be made.
    INT_PTR run();
    // Opens the dialog without waiting for it to close: the caller's message loop drives it, and
    // closing only hides it. The window lives as long as this object.
    HWND open();

    const ConverterSession& session() const { return session_; }

  private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void initialise();
    void handleCommand(int control);
    void chooseDroppedFile(HDROP drop);
    void showOptions();
    bool paintIcon();

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    bool modeless_ = false;
    Win32FrontEnd frontEnd_;
    ConverterSession session_;
    std::optional<std::filesystem::path> inputOnOpen_;
};

}  // namespace zemra::app
