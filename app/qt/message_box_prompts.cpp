#include "message_box_prompts.h"

#include <QFileInfo>
#include <QMessageBox>

#include "input_file_dialog.h"
#include "program_identity.h"

namespace zemra::app {

std::optional<QString> MessageBoxPrompts::chooseInputFile(QWidget& owner) {
    const auto dialog = makeInputFileDialog(owner);
    if (!lastFolder_.isEmpty()) {
        dialog->setDirectory(lastFolder_);
    }
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = dialog->selectedFiles().constFirst();
    lastFolder_ = QFileInfo(chosen).absolutePath();
    return chosen;
}

void MessageBoxPrompts::showMessage(QWidget& owner, const QString& text) {
    QMessageBox box(QMessageBox::Warning, programName(), text, QMessageBox::Ok, &owner);
    box.exec();
}

}  // namespace zemra::app
