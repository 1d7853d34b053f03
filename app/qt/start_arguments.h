#pragma once

#include <optional>
#include <variant>

#include <QString>
#include <QStringList>

namespace zemra::app {

// Start the dialog, with the component file to choose first if one was given.
struct OpenDialog {
    std::optional<QString> input;
};

// Answer on the terminal instead: help, the version or a usage error.
struct AnswerOnTerminal {
    QString text;
    int exitStatus = 0;
    bool isError = false;  // to standard error rather than standard output
};

using StartRequest = std::variant<OpenDialog, AnswerOnTerminal>;

// Reads the program's arguments (the first being the program itself) once the application has
// taken out its own options.
StartRequest readStartArguments(const QStringList& arguments);

}  // namespace zemra::app
