// The Win32 dialog from its resource templates, driven as the operator drives it, with the
// message boxes and the open-file dialog answered by a script.
#include "converter_dialog.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "behaviour_name.h"
#include "board_generator.h"
#include "golden_boards.h"
#include "modal_driver.h"
#include "resource_ids.h"
#include "run/messages.h"
#include "scripted_prompts.h"
#include "start_arguments.h"
#include "temp_folder.h"
#include "zemra_version.h"

namespace zemra::app {
namespace {

namespace fs = std::filesystem;
using zemra::testing::entriesOf;
using zemra::testing::findThreadDialog;
using zemra::testing::ModalDriver;
using zemra::testing::windowText;

const std::string kConverted(operatorText(MessageKind::Converted));
const std::string kFileMissing(operatorText(MessageKind::FileMissing));

HINSTANCE programInstance() {
    return GetModuleHandleW(nullptr);
}

// The pixels of a place given in dialog units, as the template gives it (x, y, width, height):
// Windows converts each of the four numbers on its own.
RECT pixelsOf(HWND dialog, RECT dialogUnits) {
    MapDialogRect(dialog, &dialogUnits);
    return {dialogUnits.left, dialogUnits.top, dialogUnits.left + dialogUnits.right,
            dialogUnits.top + dialogUnits.bottom};
}

RECT placeOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Removes everything that a run may have added to the messages of the thread.
void handlePendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// A drop of `files` onto a window, as the shell hands it over.
HDROP dropOf(const std::vector<std::wstring>& files) {
    std::wstring names;
    for (const std::wstring& file : files) {
        names += file + L'\0';
    }
    names += L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class ConverterDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(window, nullptr); }

    fs::path board(const std::string& name) {
        const auto bytes = generateBoard(7, 60);
        zemra::testing::writeFile(
            folder / name, std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        return folder / name;
    }
    void click(int control) { SendDlgItemMessageW(window, control, BM_CLICK, 0, 0); }
    bool checked(int control) {
        return SendDlgItemMessageW(window, control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void readFile(std::optional<fs::path> answer) {
        prompts.fileAnswers.push_back(std::move(answer));
        click(ZEMRA_IDC_READ_FILE);
    }

    zemra::testing::TempFolder folder;
    ScriptedPrompts prompts;
    ConverterDialog dialog{programInstance(), prompts, systemFileSystem()};
    HWND window = dialog.open();
};

// Template 102, control by control, in the order of the template.
struct TemplateControl {
    const char* behaviour;
    int id;
    const wchar_t* label;
    RECT dialogUnits;  // x, y, width, height
    DWORD style;       // bits the control must have
};

const TemplateControl kTemplateControls[] = {
    {"Control1", IDOK, L"取消", {149, 33, 50, 14}, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"Control2", IDCANCEL, L"確定", {149, 13, 50, 14}, BS_PUSHBUTTON | WS_TABSTOP},
    {"ReadFile", ZEMRA_IDC_READ_FILE, L"讀檔", {10, 59, 50, 14}, BS_PUSHBUTTON | WS_TABSTOP},
    {"Convert", ZEMRA_IDC_CONVERT, L"轉換", {67, 59, 50, 14}, BS_PUSHBUTTON | WS_TABSTOP},
    {"Kx740e", ZEMRA_IDC_KX740E, L"KX740E", {10, 27, 50, 10}, BS_AUTOCHECKBOX | WS_TABSTOP},
    {"Kx740FeFr",
     ZEMRA_IDC_KX740_FE_FR,
     L"KX740 FE/FR",
     {10, 15, 58, 10},
     BS_AUTOCHECKBOX | WS_TABSTOP},
    {"ReversePins",
     ZEMRA_IDC_REVERSE_PINS,
     L"Diode,TR, IC Hi,Lo Pin 反向",
     {10, 39, 104, 10},
     BS_AUTOCHECKBOX | BS_FLAT | WS_TABSTOP},
};

class TemplateControls : public ConverterDialogTest,
                         public ::testing::WithParamInterface<TemplateControl> {};

TEST_P(TemplateControls, StandWhereTheTemplatePutsThemWithTheirLabels) {
    const TemplateControl& expected = GetParam();
    HWND control = GetDlgItem(window, expected.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(windowText(control), expected.label);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    EXPECT_EQ(style & BS_TYPEMASK, expected.style & BS_TYPEMASK);
    EXPECT_EQ(style & (BS_FLAT | WS_TABSTOP), expected.style & (BS_FLAT | WS_TABSTOP));
    EXPECT_TRUE(IsWindowVisible(control) && IsWindowEnabled(control));

    const RECT wanted = pixelsOf(window, expected.dialogUnits);
    const RECT actual = placeOf(control);
    EXPECT_EQ(actual.left, wanted.left);
    EXPECT_EQ(actual.top, wanted.top);
    EXPECT_EQ(actual.bottom, wanted.bottom);
    // Wider only where the label needs the room, and never as far as the buttons on the right.
    EXPECT_GE(actual.right, wanted.right);
    if (actual.right > wanted.right) {
        EXPECT_LE(actual.right, pixelsOf(window, {149, 0, 149, 0}).left);
    }
}

INSTANTIATE_TEST_SUITE_P(Dialog102, TemplateControls, ::testing::ValuesIn(kTemplateControls),
                         zemra::testing::BehaviourName());

TEST_F(ConverterDialogTest, IsAFixedPopupOnTheTaskBarOfTheTemplateSize) {
    EXPECT_EQ(windowText(window), L"轉換程式");
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const DWORD wanted = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0u);
    EXPECT_NE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    RECT client;
    GetClientRect(window, &client);
    const RECT wantedClient = pixelsOf(window, {0, 0, 209, 83});
    EXPECT_EQ(client.right, wantedClient.right);
    EXPECT_EQ(client.bottom, wantedClient.bottom);
}

TEST_F(ConverterDialogTest, TabOrderIsTheOrderOfTheTemplate) {
    std::vector<int> order;
    HWND control = GetDlgItem(window, IDOK);
    for (std::size_t step = 0; step < std::size(kTemplateControls); ++step) {
        order.push_back(GetDlgCtrlID(control));
        control = GetNextDlgTabItem(window, control, FALSE);
    }
    EXPECT_EQ(order, (std::vector<int>{IDOK, IDCANCEL, 1000, 1001, 1002, 1003, 1004}));
    EXPECT_EQ(control, GetDlgItem(window, IDOK));
}

struct VariantClicks {
    const char* behaviour;
    std::string clicks;  // "E" on KX740E, "F" on KX740 FE/FR
    bool kx740e;
};

class VariantBoxes : public ConverterDialogTest,
                     public ::testing::WithParamInterface<VariantClicks> {};

TEST_P(VariantBoxes, ActAsAPairWhateverIsClicked) {
    for (const char box : GetParam().clicks) {
        click(box == 'E' ? ZEMRA_IDC_KX740E : ZEMRA_IDC_KX740_FE_FR);
    }
    EXPECT_EQ(checked(ZEMRA_IDC_KX740E), GetParam().kx740e);
    EXPECT_EQ(checked(ZEMRA_IDC_KX740_FE_FR), !GetParam().kx740e);
    EXPECT_EQ(dialog.session().kx740eChecked(), GetParam().kx740e);
    EXPECT_FALSE(checked(ZEMRA_IDC_REVERSE_PINS));
}

INSTANTIATE_TEST_SUITE_P(Dialog102, VariantBoxes,
                         ::testing::Values(VariantClicks{"NoClickIsFeFr", "", false},
                                           VariantClicks{"Kx740eTwice", "EE", true},
                                           VariantClicks{"FeFrWhenChecked", "F", false},
                                           VariantClicks{"Kx740eTwiceThenFeFr", "EEF", false},
                                           VariantClicks{"BackAndForth", "EFEFE", true}),
                         zemra::testing::BehaviourName());

TEST_F(ConverterDialogTest, ReversePinsBoxTogglesWithItsOption) {
    for (const bool expected : {true, false, true}) {
        click(ZEMRA_IDC_REVERSE_PINS);
        EXPECT_EQ(checked(ZEMRA_IDC_REVERSE_PINS), expected);
        EXPECT_EQ(dialog.session().reversePins(), expected);
    }
}

TEST_F(ConverterDialogTest, MessagesComeInOrderOverTheDialog) {
    click(ZEMRA_IDC_CONVERT);
    readFile(folder / "BOARD7.cmp");
    board("BOARD7.cmp");
    click(ZEMRA_IDC_CONVERT);
    EXPECT_EQ(prompts.messages(),
              (std::vector<std::string>{std::string(kChooseInputFirst), kFileMissing, kConverted}));
    for (const ScriptedPrompts::Shown& message : prompts.shown) {
        EXPECT_EQ(message.owner, window);
        EXPECT_TRUE(message.ownerVisible);
    }
    EXPECT_EQ(prompts.fileDialogOwners, std::vector<HWND>{window});
}

// KX740E has no Type column and names IC5 U5; reverse-pins exchanges the diode steps' pins so
// that they find both ICs.
TEST_F(ConverterDialogTest, ConvertWritesTheFourFilesWithTheOptionsOfTheBoxes) {
    click(ZEMRA_IDC_KX740E);
    click(ZEMRA_IDC_REVERSE_PINS);
    zemra::testing::writeFile(folder / "BOARD7.cmp", zemra::testing::backwardDiodeBoard());
    readFile(folder / "BOARD7.cmp");
    readFile(std::nullopt);
    click(ZEMRA_IDC_CONVERT);
    fs::remove_all(folder / "BOARD7");
    click(ZEMRA_IDC_CONVERT);
    EXPECT_EQ(prompts.messages(), (std::vector<std::string>{kConverted, kConverted}));
    EXPECT_EQ(entriesOf(folder / "BOARD7"),
              (std::vector<std::string>{"BOARD7.dat", "BOARD7.icn", "BOARD7.icp", "BOARD7.scp"}));
    const std::string listing = zemra::testing::readFile(folder / "BOARD7" / "BOARD7.dat");
    EXPECT_NE(listing.find("G-P5  Skip\r\n"), std::string::npos);
    EXPECT_NE(listing.find(std::string("\r\n") + zemra::testing::kBackwardDiodeLineKx740eReversed +
                           "\r\n"),
              std::string::npos);
    EXPECT_EQ(zemra::testing::readFile(folder / "BOARD7" / "BOARD7.icn"),
              zemra::testing::kBackwardIcnKx740eReversed);
}

TEST_F(ConverterDialogTest, OneDroppedFileIsTheChosenInputAndSeveralAreIgnored) {
    const fs::path first = board("first.cmp");
    const fs::path second = board("second.cmp");
    SendMessageW(window, WM_DROPFILES,
                 reinterpret_cast<WPARAM>(dropOf({first.wstring(), second.wstring()})), 0);
    click(ZEMRA_IDC_CONVERT);
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf({second.wstring()})), 0);
    click(ZEMRA_IDC_CONVERT);
    EXPECT_EQ(prompts.messages(),
              (std::vector<std::string>{std::string(kChooseInputFirst), kConverted}));
    EXPECT_TRUE(fs::is_regular_file(folder / "second" / "second.dat"));
}

TEST(ConverterDialogStart, InputOfTheCommandLineIsTakenOnceTheDialogIsUp) {
    const zemra::testing::TempFolder folder;
    ScriptedPrompts prompts;
    ConverterDialog dialog(programInstance(), prompts, systemFileSystem());
    dialog.chooseInputOnOpen(folder / "BOARD7.cmp");
    HWND window = dialog.open();
    EXPECT_TRUE(prompts.shown.empty());
    handlePendingMessages();
    ASSERT_EQ(prompts.messages(), std::vector<std::string>{kFileMissing});
    EXPECT_EQ(prompts.shown.front().owner, window);
    EXPECT_TRUE(prompts.shown.front().ownerVisible);
    EXPECT_EQ(dialog.session().title(), "BOARD7");
}

// A path that begins with a slash is on the current drive. Under wine it is a Linux path, such as
// "/work/boards/B.cmp", on drive Z:, which holds the Linux root and the folder the tests run in.
TEST(ConverterDialogStart, InputOnTheCurrentDriveIsConvertedBesideIt) {
    const zemra::testing::TempFolder folder(fs::current_path());
    const auto bytes = generateBoard(7, 60);
    zemra::testing::writeFile(
        folder / "B.cmp", std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    const std::vector<std::wstring> arguments{L"/" +
                                              (folder / "B.cmp").relative_path().generic_wstring()};
    const StartRequest request = readStartArguments(arguments);
    ASSERT_TRUE(request.input.has_value());
    ScriptedPrompts prompts;
    ConverterDialog dialog(programInstance(), prompts, systemFileSystem());
    dialog.chooseInputOnOpen(*request.input);
    HWND window = dialog.open();
    handlePendingMessages();
    SendDlgItemMessageW(window, ZEMRA_IDC_CONVERT, BM_CLICK, 0, 0);
    EXPECT_EQ(prompts.messages(), std::vector<std::string>{kConverted});
    EXPECT_TRUE(fs::is_regular_file(folder / "B" / "B.dat"));
}

TEST_F(ConverterDialogTest, SystemMenuEndsWithTheAboutEntry) {
    HMENU menu = GetSystemMenu(window, FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(ZEMRA_IDM_ABOUT));
    std::wstring text(64, L'\0');
    text.resize(static_cast<std::size_t>(
        GetMenuStringW(menu, static_cast<UINT>(count - 1), text.data(), 64, MF_BYPOSITION)));
    EXPECT_EQ(text, L"About zemra(&A)...");
    MENUITEMINFOW separator{};
    separator.cbSize = sizeof(separator);
    separator.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, static_cast<UINT>(count - 2), TRUE, &separator);
    EXPECT_NE(separator.fType & MFT_SEPARATOR, 0u);
}

TEST_F(ConverterDialogTest, AboutEntryOpensTheAboutBoxWhichItsButtonCloses) {
    std::vector<std::wstring> texts;
    RECT client{};
    RECT wantedClient{};
    bool mainTookInput = true;
    ModalDriver driver([&] {
        HWND about = findThreadDialog(L"關於轉換程式");
        if (about == nullptr) {
            return false;
        }
        for (HWND child = GetWindow(about, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            texts.push_back(windowText(child));
        }
        GetClientRect(about, &client);
        wantedClient = pixelsOf(about, {0, 0, 235, 55});
        mainTookInput = IsWindowEnabled(window) != FALSE;
        SendDlgItemMessageW(about, IDOK, BM_CLICK, 0, 0);
        return true;
    });
    SendMessageW(window, WM_SYSCOMMAND, ZEMRA_IDM_ABOUT, 0);
    ASSERT_TRUE(driver.done());
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[1], L"轉換程式Ver." + platform::utf16FromUtf8(kProgramRelease));
    EXPECT_EQ(texts[3], L"確定");
    EXPECT_EQ(client.right, wantedClient.right);
    EXPECT_EQ(client.bottom, wantedClient.bottom);
    EXPECT_FALSE(mainTookInput);
    EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(ConverterDialogTest, ProgramIconIsTheWindowsIconAndItsDragIcon) {
    const auto icon = reinterpret_cast<HICON>(
        LoadImageW(programInstance(), MAKEINTRESOURCEW(ZEMRA_IDI_PROGRAM), IMAGE_ICON,
                   GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(SendMessageW(window, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(icon));
    EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(SendMessageW(window, WM_QUERYDRAGICON, 0, 0), reinterpret_cast<LRESULT>(icon));
}

// How the operator closes the dialog, and the result it ends with.
struct Closing {
    const char* behaviour;
    void (*close)(HWND dialog);
    INT_PTR result;
};

void pressKey(HWND dialog, WPARAM key) {
    PostMessageW(GetDlgItem(dialog, ZEMRA_IDC_KX740E), WM_KEYDOWN, key, 0);
}

const Closing kClosings[] = {
    {"Control1", [](HWND dialog) { SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0); }, IDOK},
    {"Control2", [](HWND dialog) { SendDlgItemMessageW(dialog, IDCANCEL, BM_CLICK, 0, 0); },
     IDCANCEL},
    {"EnterIsControl1", [](HWND dialog) { pressKey(dialog, VK_RETURN); }, IDOK},
    {"EscIsControl2", [](HWND dialog) { pressKey(dialog, VK_ESCAPE); }, IDCANCEL},
    {"CloseCommandIsControl2",
     [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
};

class ClosingTheDialog : public ::testing::TestWithParam<Closing> {};

TEST_P(ClosingTheDialog, EndsItsRun) {
    ScriptedPrompts prompts;
    ConverterDialog dialog(programInstance(), prompts, systemFileSystem());
    ModalDriver driver([this] {
        HWND running = findThreadDialog(L"轉換程式");
        if (running != nullptr) {
            GetParam().close(running);
        }
        return running != nullptr;
    });
    EXPECT_EQ(dialog.run(), GetParam().result);
    EXPECT_TRUE(driver.done());
    EXPECT_TRUE(prompts.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Dialog102, ClosingTheDialog, ::testing::ValuesIn(kClosings),
                         zemra::testing::BehaviourName());

}  // namespace
}  // namespace zemra::app
