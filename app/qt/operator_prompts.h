#pragma once

#include <optional>

#include <QString>
#include <QWidget>

namespace zemra::app {

// What the main dialog asks of the operator outside itself: a file to read and the
// acknowledgement of a message. Tests put their own answers here.
class OperatorPrompts {
  public:
    virtual ~OperatorPrompts() = default;

    // The path the operator chose, or nothing when the choice was cancelled.
    virtual std::optional<QString> chooseInputFile(QWidget& owner) = 0;
    // Shows one message and returns when the operator has acknowledged it.
    virtual void showMessage(QWidget& owner, const QString& text) = 0;
};

}  // namespace zemra::app
