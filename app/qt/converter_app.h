#pragma once

#include <optional>

#include <QApplication>

#include "files/file_system.h"

namespace zemra::app {

// The application: names itself, runs the main dialog modally and ends when it closes.
class ConverterApp : public QApplication {
    Q_OBJECT

  public:
    ConverterApp(int& argc, char** argv);

    // Answers --help, --version and usage errors on the terminal before any application object
    // exists, so that they need no display. Gives the exit status when it answered.
    static std::optional<int> answerBeforeStart(int argc, char** argv);

    // Runs the main dialog, converting with the files of `fileSystem`, to its end; the program
    // then ends, whichever button closed it.
    int run(FileSystem& fileSystem);
};

}  // namespace zemra::app
