#include "start_arguments.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "program_identity.h"
#include "run/exit_status.h"

namespace zemra::app {
namespace {

AnswerOnTerminal usageError(const QString& message) {
    return {programName() + QStringLiteral(": ") + message + QStringLiteral("\nTry '") +
                programName() + QStringLiteral(" --help' for more information.\n"),
            kExitUsage, true};
}

}  // namespace

StartRequest readStartArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Opens the zemra dialog, which converts ICT component files (.cmp) for\n"
                       "testers of the KX740 family. With FILE, the dialog opens with FILE as\n"
                       "the chosen component file, as if it had been picked with \"讀檔\"."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("show this help and exit"));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("show the version and exit"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("the component file to convert"),
                                 QStringLiteral("[FILE]"));
    if (!parser.parse(arguments)) {
        return usageError(parser.errorText());
    }
    if (parser.isSet(help)) {
        // The usage line names the program by its name rather than by the path it was run as.
        QString text = parser.helpText();
        text.replace(0, text.indexOf(QStringLiteral(" [options]")),
                     QStringLiteral("Usage: ") + programName());
        return AnswerOnTerminal{text};
    }
    if (parser.isSet(version)) {
        return AnswerOnTerminal{programName() + QLatin1Char(' ') + programVersion() +
                                QLatin1Char('\n')};
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return usageError(QStringLiteral("one FILE at most"));
    }
    return OpenDialog{files.isEmpty() ? std::nullopt : std::optional(files.front())};
}

}  // namespace zemra::app
