#include "converter_app.h"

int main(int argc, char** argv) {
    if (const std::optional<int> exitStatus =
            zemra::app::ConverterApp::answerBeforeStart(argc, argv)) {
        return *exitStatus;
    }
    zemra::app::ConverterApp app(argc, argv);
    return app.run(zemra::systemFileSystem());
}
