#include "about_entry.h"

#include <string>

#include <windows.h>

namespace zemra::app {
namespace {

// The command number of the entry; the system keeps the low four bits of system commands.
constexpr UINT_PTR kAboutCommand = 16;
constexpr WPARAM kSystemCommandMask = 0xFFF0;

}  // namespace

void installAboutEntry(QWidget& window, QAction& separator, QAction& entry) {
    separator.setSeparator(true);
    entry.setText(aboutEntryText());
    // Kept with the window for whoever looks for its entries; without a context-menu policy they
    // show nowhere but in the system menu below.
    window.addAction(&separator);
    window.addAction(&entry);
    HMENU systemMenu = GetSystemMenu(reinterpret_cast<HWND>(window.winId()), FALSE);
    if (systemMenu == nullptr) {
        return;
    }
    const std::wstring text = aboutEntryText().toStdWString();
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, kAboutCommand, text.c_str());
}

bool isAboutEntryChoice(const QByteArray& eventType, const void* message) {
    if (eventType != "windows_generic_MSG") {
        return false;
    }
    const auto* windowMessage = static_cast<const MSG*>(message);
    return windowMessage->message == WM_SYSCOMMAND &&
           (windowMessage->wParam & kSystemCommandMask) == kAboutCommand;
}

}  // namespace zemra::app
