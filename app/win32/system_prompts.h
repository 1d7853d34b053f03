#pragma once

#include "operator_prompts.h"

namespace zemra::app {

// The prompts of Windows itself: the common open-file dialog and message boxes.
class SystemPrompts : public OperatorPrompts {
  public:
    std::optional<std::filesystem::path> chooseInputFile(HWND owner) override;
    void showMessage(HWND owner, std::wstring_view text) override;
};

// The title of every message box: the program's name.
inline constexpr wchar_t kProgramName[] = L"zemra";

}  // namespace zemra::app
