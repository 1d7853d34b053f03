#pragma once

#include <memory>

#include <QFileDialog>
#include <QStringList>
#include <QWidget>

namespace zemra::app {

// The two choices of the open-file dialog, component files first.
QStringList inputFileFilters();

// An open-file dialog owned by `owner` that offers component files first and then every file. A
// typed name is accepted even when no such file exists; opening it is what fails.
std::unique_ptr<QFileDialog> makeInputFileDialog(QWidget& owner);

}  // namespace zemra::app
