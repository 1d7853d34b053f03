#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "operator_front_end.h"

namespace zemra::app {

// Answers the open-file dialog from a script and keeps every message instead of showing it.
class ScriptedFrontEnd : public OperatorFrontEnd {
  public:
    std::deque<std::optional<std::filesystem::path>> fileAnswers;  // nothing stands for Cancel
    std::vector<std::string> messages;
    bool busy = false;
    bool busyDuringMessage = false;
    int busySpells = 0;

    std::optional<std::filesystem::path> chooseInputFile() override {
        if (fileAnswers.empty()) {
            return std::nullopt;
        }
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
    void showMessage(std::string_view text) override {
        messages.emplace_back(text);
        busyDuringMessage = busyDuringMessage || busy;
    }
    void setBusy(bool on) override {
        busySpells += on ? 1 : 0;
        busy = on;
    }
};

}  // namespace zemra::app
