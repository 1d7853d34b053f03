#include "converter_app.h"

#include "converter_dialog.h"
#include "message_box_prompts.h"
#include "program_icon.h"
#include "program_identity.h"

namespace zemra::app {

ConverterApp::ConverterApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(programName());
    setApplicationVersion(programVersion());
    setDesktopFileName(QStringLiteral("zemra"));
    setWindowIcon(programIcon());
}

int ConverterApp::run() {
    MessageBoxPrompts prompts;
    ConverterDialog dialog(prompts);
    dialog.exec();
    return 0;
}

}  // namespace zemra::app
