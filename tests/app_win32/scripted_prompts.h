#pragma once

#include <deque>
#include <string>
#include <vector>

#include "operator_prompts.h"
#include "platform/utf16.h"

namespace zemra::app {

// Answers the open-file dialog from a script and keeps every message instead of showing it,
// with the window it was shown over.
class ScriptedPrompts : public OperatorPrompts {
  public:
    struct Shown {
        std::string text;  // UTF-8
        HWND owner;
        bool ownerVisible;
    };

    std::deque<std::optional<std::filesystem::path>> fileAnswers;  // nothing stands for Cancel
    std::vector<HWND> fileDialogOwners;
    std::vector<Shown> shown;

    std::optional<std::filesystem::path> chooseInputFile(HWND owner) override {
        fileDialogOwners.push_back(owner);
        if (fileAnswers.empty()) {
            return std::nullopt;
        }
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
    void showMessage(HWND owner, std::wstring_view text) override {
        shown.push_back({platform::utf8FromUtf16(text), owner, IsWindowVisible(owner) != FALSE});
    }

    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const Shown& message : shown) {
            texts.push_back(message.text);
        }
        return texts;
    }
};

}  // namespace zemra::app
