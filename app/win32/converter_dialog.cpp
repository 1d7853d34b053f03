#include "converter_dialog.h"

#include <shellapi.h>

#include <array>
#include <exception>
#include <string>
#include <utility>

#include "about_box.h"
#include "label_fit.h"
#include "resource_ids.h"

namespace zemra::app {
namespace {

// Posted by the dialog to itself, so that the input given at the start is taken once the
// dialog is on the screen.
constexpr UINT kChooseInputOnOpen = WM_APP;

WPARAM checkState(bool checked) {
    return checked ? BST_CHECKED : BST_UNCHECKED;
}

HICON loadProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ZEMRA_IDI_PROGRAM), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_SHARED));
}

}  // namespace

ConverterDialog::ConverterDialog(HINSTANCE instance, OperatorPrompts& prompts,
                                 FileSystem& fileSystem)
    : instance_(instance), frontEnd_(prompts), session_(frontEnd_, fileSystem) {}

ConverterDialog::~ConverterDialog() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void ConverterDialog::chooseInputOnOpen(std::filesystem::path path) {
    inputOnOpen_ = std::move(path);
}

INT_PTR ConverterDialog::run() {
    return DialogBoxParamW(instance_, MAKEINTRESOURCEW(ZEMRA_IDD_CONVERTER), nullptr, dialogProc,
                           reinterpret_cast<LPARAM>(this));
}

HWND ConverterDialog::open() {
    return CreateDialogParamW(instance_, MAKEINTRESOURCEW(ZEMRA_IDD_CONVERTER), nullptr, dialogProc,
                              reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK ConverterDialog::dialogProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<ConverterDialog*>(lParam)->window_ = window;
    }
    auto* dialog = reinterpret_cast<ConverterDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (dialog == nullptr) {
        return FALSE;
    }
    // No exception may pass through the frames of Windows that called this procedure; the
    // operator learns why the command stopped, and the dialog stays open.
    try {
        return dialog->handleMessage(message, wParam, lParam);
    } catch (const std::exception&) {
        dialog->frontEnd_.showMessage(kUnexpectedFailure);
        return TRUE;
    }
}

INT_PTR ConverterDialog::handleMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            initialise();
            return TRUE;
        case kChooseInputOnOpen:
            if (inputOnOpen_) {
                session_.chooseInput(*std::exchange(inputOnOpen_, std::nullopt));
            }
            return TRUE;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == ZEMRA_IDM_ABOUT) {
                showAboutBox(instance_, window_);
                return TRUE;
            }
            return FALSE;
        case WM_PAINT:
            return paintIcon() ? TRUE : FALSE;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(icon_);
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) {
                return FALSE;
            }
            handleCommand(LOWORD(wParam));
            return TRUE;
        case WM_DROPFILES:
            chooseDroppedFile(reinterpret_cast<HDROP>(wParam));
            return TRUE;
        case WM_DESTROY:
            window_ = nullptr;
            frontEnd_.setOwner(nullptr);
            return FALSE;
        default:
            return FALSE;
    }
}

void ConverterDialog::initialise() {
    frontEnd_.setOwner(window_);
    widenToFitLabels(window_);
    if (HMENU systemMenu = GetSystemMenu(window_, FALSE)) {
        std::array<wchar_t, 128> entry{};
        if (LoadStringW(instance_, ZEMRA_IDS_ABOUT_ENTRY, entry.data(),
                        static_cast<int>(entry.size())) > 0) {
            AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuW(systemMenu, MF_STRING, ZEMRA_IDM_ABOUT, entry.data());
        }
    }
    icon_ = loadProgramIcon(instance_, SM_CXICON, SM_CYICON);
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(window_, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(loadProgramIcon(instance_, SM_CXSMICON, SM_CYSMICON)));
    showOptions();
    DragAcceptFiles(window_, TRUE);
    if (inputOnOpen_) {
        PostMessageW(window_, kChooseInputOnOpen, 0, 0);
    }
}

void ConverterDialog::handleCommand(int control) {
    switch (control) {
        case IDOK:
        case IDCANCEL:
            EndDialog(window_, control);
            break;
        case ZEMRA_IDC_READ_FILE:
            session_.readFile();
            break;
        case ZEMRA_IDC_CONVERT:
            session_.convert();
            break;
        // An automatic check box has toggled itself by now; the marks are set again from the
        // options, so that the two variant boxes act as a pair.
        case ZEMRA_IDC_KX740E:
            session_.selectKx740e();
            showOptions();
            break;
        case ZEMRA_IDC_KX740_FE_FR:
            session_.selectKx740FeFr();
            showOptions();
            break;
        case ZEMRA_IDC_REVERSE_PINS:
            session_.toggleReversePins();
            showOptions();
            break;
        default:
            break;
    }
}

void ConverterDialog::chooseDroppedFile(HDROP drop) {
    std::optional<std::filesystem::path> file;
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
        const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        DragQueryFileW(drop, 0, name.data(), length + 1);
        name.resize(length);
        file = std::filesystem::path(name);
    }
    DragFinish(drop);
    if (file) {
        session_.chooseInput(*file);
    }
}

void ConverterDialog::showOptions() {
    SendDlgItemMessageW(window_, ZEMRA_IDC_KX740E, BM_SETCHECK,
                        checkState(session_.kx740eChecked()), 0);
    SendDlgItemMessageW(window_, ZEMRA_IDC_KX740_FE_FR, BM_SETCHECK,
                        checkState(session_.kx740FeFrChecked()), 0);
    SendDlgItemMessageW(window_, ZEMRA_IDC_REVERSE_PINS, BM_SETCHECK,
                        checkState(session_.reversePins()), 0);
}

// A minimised window shows the program's icon in the middle of its client area.
bool ConverterDialog::paintIcon() {
    if (!IsIconic(window_)) {
        return false;
    }
    PAINTSTRUCT paint;
    HDC context = BeginPaint(window_, &paint);
    SendMessageW(window_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(context), 0);
    RECT client;
    GetClientRect(window_, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(context, x, y, icon_);
    EndPaint(window_, &paint);
    return true;
}

}  // namespace zemra::app
