#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

namespace zemra::testing {

// Drives a modal window of this thread from inside its own message loop: `step` runs on every
// tick of a timer until it returns true. Should it never do so, the driver ends every dialog of
// the thread after a few seconds and fails the test, so that a test cannot hang.
class ModalDriver {
  public:
    explicit ModalDriver(std::function<bool()> step);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    bool done() const { return done_; }

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void tick();

    std::function<bool()> step_;
    HWND window_ = nullptr;
    int ticks_ = 0;
    bool done_ = false;
};

// The visible dialog of this thread with the title `title`, or with any title when none is
// given; null when there is none.
HWND findThreadDialog(std::wstring_view title = {});

// The text of a window.
std::wstring windowText(HWND window);

}  // namespace zemra::testing
