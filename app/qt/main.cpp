#include "converter_app.h"

int main(int argc, char** argv) {
    zemra::app::ConverterApp app(argc, argv);
    return app.run(zemra::systemFileSystem());
}
