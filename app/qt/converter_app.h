#pragma once

#include <QApplication>

namespace zemra::app {

// The application: names itself, runs the main dialog modally and ends when it closes.
class ConverterApp : public QApplication {
    Q_OBJECT

  public:
    ConverterApp(int& argc, char** argv);

    // Runs the main dialog to its end; the program then ends, whichever button closed it.
    int run();
};

}  // namespace zemra::app
