#pragma once

#include <deque>
#include <optional>

#include <QGuiApplication>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "operator_prompts.h"

namespace zemra::app::testing {

// Answers the file dialog from a script and records every message instead of showing it.
class ScriptedPrompts : public OperatorPrompts {
  public:
    // The next answers of the file dialog, in order; nothing stands for Cancel.
    std::deque<std::optional<QString>> fileAnswers;
    QStringList messages;
    int fileDialogsShown = 0;
    bool waitCursorDuringMessage = false;

    std::optional<QString> chooseInputFile(QWidget& /*owner*/) override {
        ++fileDialogsShown;
        if (fileAnswers.empty()) {
            return std::nullopt;
        }
        std::optional<QString> answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }

    void showMessage(QWidget& /*owner*/, const QString& text) override {
        messages << text;
        waitCursorDuringMessage =
            waitCursorDuringMessage || QGuiApplication::overrideCursor() != nullptr;
    }
};

}  // namespace zemra::app::testing
