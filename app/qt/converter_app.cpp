#include "converter_app.h"

#include <cstdio>

#include "converter_dialog.h"
#include "message_box_prompts.h"
#include "program_icon.h"
#include "program_identity.h"
#include "run/exit_status.h"
#include "start_arguments.h"

namespace zemra::app {
namespace {

// Qt's own options (-platform, -style, ...) begin with one dash and are known only once the
// application has taken them out.
bool mayHoldQtOptions(const QStringList& arguments) {
    for (const QString& argument : arguments.sliced(1)) {
        if (argument == QStringLiteral("--")) {
            break;
        }
        if (argument.size() > 1 && argument[0] == u'-' && argument[1] != u'-') {
            return true;
        }
    }
    return false;
}

int answerOnTerminal(const AnswerOnTerminal& answer) {
    std::fputs(answer.text.toLocal8Bit().constData(), answer.isError ? stderr : stdout);
    return answer.exitStatus;
}

}  // namespace

ConverterApp::ConverterApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(programName());
    setApplicationVersion(programVersion());
    setDesktopFileName(QStringLiteral("zemra"));
    setWindowIcon(programIcon());
}

std::optional<int> ConverterApp::answerBeforeStart(int argc, char** argv) {
    QStringList arguments;
    for (int index = 0; index < argc; ++index) {
        arguments << QString::fromLocal8Bit(argv[index]);
    }
    const StartRequest request = readStartArguments(arguments);
    const auto* answer = std::get_if<AnswerOnTerminal>(&request);
    if (answer == nullptr || (answer->isError && mayHoldQtOptions(arguments))) {
        return std::nullopt;
    }
    return answerOnTerminal(*answer);
}

int ConverterApp::run(FileSystem& fileSystem) {
    const StartRequest request = readStartArguments(arguments());
    if (const auto* answer = std::get_if<AnswerOnTerminal>(&request)) {
        return answerOnTerminal(*answer);
    }
    MessageBoxPrompts prompts;
    ConverterDialog dialog(prompts, fileSystem);
    if (const std::optional<QString>& input = std::get<OpenDialog>(request).input) {
        dialog.chooseInputOnOpen(*input);
    }
    dialog.exec();
    return kExitClean;
}

}  // namespace zemra::app
