#include "converter_app.h"

#include <cstdio>

#include "converter_dialog.h"
#include "message_box_prompts.h"
#include "program_icon.h"
#include "program_identity.h"
#include "run/exit_status.h"
#include "start_arguments.h"

namespace zemra::app {

ConverterApp::ConverterApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(programName());
    setApplicationVersion(programVersion());
    setDesktopFileName(QStringLiteral("zemra"));
    setWindowIcon(programIcon());
}

int ConverterApp::run(FileSystem& fileSystem) {
    const StartRequest request = readStartArguments(arguments());
    if (const auto* answer = std::get_if<AnswerOnTerminal>(&request)) {
        std::fputs(answer->text.toLocal8Bit().constData(), answer->isError ? stderr : stdout);
        return answer->exitStatus;
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
