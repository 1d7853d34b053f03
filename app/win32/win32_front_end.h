#pragma once

#include <windows.h>

#include "operator_front_end.h"
#include "operator_prompts.h"

namespace zemra::app {

// Binds the operator logic to Windows: the prompts of the program or of a test, shown over the
// main dialog, and the wait cursor.
class Win32FrontEnd : public OperatorFrontEnd {
  public:
    explicit Win32FrontEnd(OperatorPrompts& prompts) : prompts_(prompts) {}

    // The window the prompts belong to, once it exists.
    void setOwner(HWND owner) { owner_ = owner; }

    std::optional<std::filesystem::path> chooseInputFile() override;
    void showMessage(std::string_view text) override;
    void setBusy(bool busy) override;

  private:
    OperatorPrompts& prompts_;
    HWND owner_ = nullptr;
    HCURSOR cursorBeforeBusy_ = nullptr;
};

}  // namespace zemra::app
