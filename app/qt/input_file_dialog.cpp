#include "input_file_dialog.h"

#include <QFileSystemModel>
#include <QString>

namespace zemra::app {
namespace {

QString allFilesFilter() {
    return QStringLiteral("All Files (*.*)");
}

// "*.*" means every file to the operator, but outside Windows it would hide the names without a
// dot. When that choice is selected, the listing is given a pattern that matches every name.
void showEveryFileForAllFiles(QFileDialog& dialog) {
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) {
                         auto* model = dialog.findChild<QFileSystemModel*>();
                         if (model != nullptr && filter == allFilesFilter()) {
                             model->setNameFilters({QStringLiteral("*")});
                         }
                     });
}

}  // namespace

QStringList inputFileFilters() {
    return {QStringLiteral("CMP파일(*.cmp)"), allFilesFilter()};
}

std::unique_ptr<QFileDialog> makeInputFileDialog(QWidget& owner) {
    auto dialog = std::make_unique<QFileDialog>(&owner);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::AnyFile);
#ifndef Q_OS_WIN
    // The platform's own dialog would keep the "*.*" pattern literally.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
#endif
    dialog->setNameFilters(inputFileFilters());
    dialog->selectNameFilter(inputFileFilters().constFirst());
    showEveryFileForAllFiles(*dialog);
    return dialog;
}

}  // namespace zemra::app
