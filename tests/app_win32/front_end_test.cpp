// What the Win32 front end adds to the operator logic: Windows' own prompts and the wait cursor.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "modal_driver.h"
#include "system_prompts.h"
#include "win32_front_end.h"

namespace zemra::app {
namespace {

using zemra::testing::findThreadDialog;
using zemra::testing::ModalDriver;
using zemra::testing::windowText;

// The controls of a dialog, by their numbers.
std::vector<int> controlIds(HWND dialog) {
    std::vector<int> ids;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) {
            ids.push_back(GetDlgCtrlID(child));
        }
    }
    return ids;
}

TEST(SystemPrompts, MessageBoxIsTitledZemraWithOkAlone) {
    std::wstring title;
    std::wstring text;
    std::vector<int> controls;
    ModalDriver driver([&] {
        HWND box = findThreadDialog(kProgramName);
        if (box == nullptr) {
            return false;
        }
        title = windowText(box);
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (windowText(child).find(L"파일") != std::wstring::npos) {
                text = windowText(child);
            }
        }
        controls = controlIds(box);
        SendDlgItemMessageW(box, IDOK, BM_CLICK, 0, 0);
        return true;
    });
    SystemPrompts().showMessage(nullptr, L"파일이 존재하지 않습니다.");
    ASSERT_TRUE(driver.done());
    EXPECT_EQ(title, L"zemra");
    EXPECT_EQ(text, L"파일이 존재하지 않습니다.");
    EXPECT_NE(std::find(controls.begin(), controls.end(), IDOK), controls.end());
    EXPECT_EQ(std::find(controls.begin(), controls.end(), IDCANCEL), controls.end());
}

// What the open-file dialog showed, and how the test answered it.
struct FileDialogSeen {
    std::vector<std::wstring> filters;
    LRESULT selectedFilter = CB_ERR;
    bool readOnlyBoxShown = false;
};

std::optional<std::filesystem::path> answerFileDialog(const wchar_t* typedName,
                                                      FileDialogSeen& seen) {
    // Control numbers of the common open-file dialog (dlgs.h).
    constexpr int kFilterBox = 0x470;
    constexpr int kNameBox = 0x47c;
    constexpr int kReadOnlyBox = 0x410;
    ModalDriver driver([&] {
        HWND dialog = findThreadDialog();
        if (dialog == nullptr) {
            return false;
        }
        HWND filters = GetDlgItem(dialog, kFilterBox);
        const auto count = static_cast<WPARAM>(SendMessageW(filters, CB_GETCOUNT, 0, 0));
        for (WPARAM index = 0; index < count; ++index) {
            std::wstring filter(
                static_cast<std::size_t>(SendMessageW(filters, CB_GETLBTEXTLEN, index, 0)) + 1,
                L'\0');
            SendMessageW(filters, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(filter.data()));
            filter.pop_back();
            seen.filters.push_back(filter);
        }
        seen.selectedFilter = SendMessageW(filters, CB_GETCURSEL, 0, 0);
        seen.readOnlyBoxShown = IsWindowVisible(GetDlgItem(dialog, kReadOnlyBox)) != FALSE;
        if (typedName != nullptr) {
            SetDlgItemTextW(dialog, kNameBox, typedName);
        }
        PostMessageW(dialog, WM_COMMAND, typedName != nullptr ? IDOK : IDCANCEL, 0);
        return true;
    });
    auto chosen = SystemPrompts().chooseInputFile(nullptr);
    EXPECT_TRUE(driver.done());
    return chosen;
}

TEST(SystemPrompts, OpenFileDialogOffersBothFiltersAndTakesATypedNameOfNoFile) {
    FileDialogSeen seen;
    const wchar_t* typed = L"Z:\\nowhere\\보드 7.cmp";
    EXPECT_EQ(answerFileDialog(typed, seen), std::filesystem::path(typed));
    EXPECT_EQ(seen.filters, (std::vector<std::wstring>{L"CMP파일(*.cmp)", L"All Files (*.*)"}));
    EXPECT_EQ(seen.selectedFilter, 0);
    EXPECT_TRUE(seen.readOnlyBoxShown);
}

TEST(SystemPrompts, CancelledOpenFileDialogChoosesNothing) {
    FileDialogSeen seen;
    EXPECT_EQ(answerFileDialog(nullptr, seen), std::nullopt);
}

TEST(Win32FrontEnd, WaitCursorIsUpWhileBusyAndTheEarlierOneAfter) {
    SystemPrompts prompts;
    Win32FrontEnd frontEnd(prompts);
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    SetCursor(arrow);
    frontEnd.setBusy(true);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    frontEnd.setBusy(false);
    EXPECT_EQ(GetCursor(), arrow);
}

}  // namespace
}  // namespace zemra::app
