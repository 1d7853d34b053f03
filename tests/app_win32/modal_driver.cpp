#include "modal_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace zemra::testing {
namespace {

constexpr wchar_t kDriverClass[] = L"zemraModalDriver";
constexpr UINT kTickMilliseconds = 20;
constexpr int kGiveUpTicks = 250;

bool isVisibleDialog(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return IsWindowVisible(window) && std::wstring_view(className) == L"#32770";
}

BOOL CALLBACK endDialog(HWND window, LPARAM) {
    if (isVisibleDialog(window)) {
        EndDialog(window, -1);
    }
    return TRUE;
}

struct DialogSearch {
    std::wstring_view title;
    HWND found = nullptr;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM search) {
    auto& wanted = *reinterpret_cast<DialogSearch*>(search);
    if (isVisibleDialog(window) && (wanted.title.empty() || windowText(window) == wanted.title)) {
        wanted.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

ModalDriver::ModalDriver(std::function<bool()> step) : step_(std::move(step)) {
    WNDCLASSW driverClass{};
    driverClass.lpfnWndProc = windowProc;
    driverClass.hInstance = GetModuleHandleW(nullptr);
    driverClass.lpszClassName = kDriverClass;
    RegisterClassW(&driverClass);  // fails harmlessly when an earlier driver registered it
    window_ = CreateWindowExW(0, kDriverClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              driverClass.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetTimer(window_, 1, kTickMilliseconds, nullptr);
}

ModalDriver::~ModalDriver() {
    DestroyWindow(window_);
}

LRESULT CALLBACK ModalDriver::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        if (auto* driver =
                reinterpret_cast<ModalDriver*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
            driver->tick();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void ModalDriver::tick() {
    if (done_) {
        return;
    }
    if (step_()) {
        done_ = true;
    } else if (++ticks_ == kGiveUpTicks) {
        ADD_FAILURE() << "the modal window to drive never came";
        done_ = true;
        EnumThreadWindows(GetCurrentThreadId(), endDialog, 0);
    }
    if (done_) {
        KillTimer(window_, 1);
    }
}

HWND findThreadDialog(std::wstring_view title) {
    DialogSearch search{title};
    EnumThreadWindows(GetCurrentThreadId(), matchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace zemra::testing
