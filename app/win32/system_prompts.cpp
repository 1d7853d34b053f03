#include "system_prompts.h"

#include <commdlg.h>

#include <string>

namespace zemra::app {
namespace {

// Pairs of display text and pattern; component files are offered first.
constexpr wchar_t kInputFilter[] = L"CMP파일(*.cmp)\0*.cmp\0All Files (*.*)\0*.*\0";
// Room for the longest path Windows can name.
constexpr DWORD kPathRoom = 32768;

}  // namespace

std::optional<std::filesystem::path> SystemPrompts::chooseInputFile(HWND owner) {
    std::wstring file(kPathRoom, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kInputFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kPathRoom;
    // A typed name is taken as it is, whether or not such a file exists: opening it tells.
    dialog.Flags = OFN_EXPLORER;
    if (!GetOpenFileNameW(&dialog)) {
        return std::nullopt;
    }
    file.resize(file.find(L'\0'));
    return std::filesystem::path(file);
}

void SystemPrompts::showMessage(HWND owner, std::wstring_view text) {
    const std::wstring message(text);
    MessageBoxW(owner, message.c_str(), kProgramName, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace zemra::app
