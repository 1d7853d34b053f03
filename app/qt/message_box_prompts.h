#pragma once

#include "operator_prompts.h"

namespace zemra::app {

// The operator's prompts as the program shows them: the open-file dialog and warning message
// boxes titled with the program's name.
class MessageBoxPrompts : public OperatorPrompts {
  public:
    std::optional<QString> chooseInputFile(QWidget& owner) override;
    void showMessage(QWidget& owner, const QString& text) override;

  private:
    // The next open-file dialog starts where the last choice was made.
    QString lastFolder_;
};

}  // namespace zemra::app
