#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include <QGuiApplication>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "operator_prompts.h"

namespace zemra::app::testing {

// Answers the file dialog from a script and records every message instead of showing it.
class ScriptedPrompts : public OperatorPrompts {
  public:
    // The answers of the file dialog, one per time it is shown; nothing stands for Cancel, and so
    // does every showing after the last answer.
    std::vector<std::optional<QString>> fileAnswers;
    QStringList messages;
    int fileDialogsShown = 0;
    bool waitCursorDuringMessage = false;
    bool ownerHiddenDuringMessage = false;

    std::optional<QString> chooseInputFile(QWidget& /*owner*/) override {
        const auto showing = static_cast<std::size_t>(fileDialogsShown++);
        if (showing >= fileAnswers.size()) {
            return std::nullopt;
        }
        return fileAnswers[showing];
    }

    void showMessage(QWidget& owner, const QString& text) override {
        messages << text;
        waitCursorDuringMessage =
            waitCursorDuringMessage || QGuiApplication::overrideCursor() != nullptr;
        ownerHiddenDuringMessage = ownerHiddenDuringMessage || !owner.isVisible();
    }
};

}  // namespace zemra::app::testing
