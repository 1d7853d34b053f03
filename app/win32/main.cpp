// zemra.exe: the converter's dialog on Windows.
#include <windows.h>

#include "converter_dialog.h"
#include "files/file_system.h"
#include "platform/command_line.h"
#include "run/exit_status.h"
#include "start_arguments.h"
#include "system_prompts.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    zemra::app::SystemPrompts prompts;
    const zemra::app::StartRequest request =
        zemra::app::readStartArguments(zemra::platform::commandLineArguments());
    if (request.usage) {
        prompts.showMessage(nullptr, *request.usage);
        return request.exitStatus;
    }
    zemra::app::ConverterDialog dialog(instance, prompts, zemra::systemFileSystem());
    if (request.input) {
        dialog.chooseInputOnOpen(*request.input);
    }
    // Either closing button ends the program the same way.
    dialog.run();
    return zemra::kExitClean;
}
