#include <cstring>
#include <vector>

#include <QApplication>

int runConverterDialogTests(int argc, char** argv);
int runDialogGeometryTests(int argc, char** argv);
int runConversionTests(int argc, char** argv);
int runMessageBoxPromptsTests(int argc, char** argv);
int runInputFromDesktopTests(int argc, char** argv);
int runStartArgumentsTests(int argc, char** argv);

// Every test class of the program in one executable with one QApplication. A first argument that
// names a class runs that class alone, with the QTest arguments after it.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::vector<std::pair<const char*, int (*)(int, char**)>> testClasses{
        {"ConverterDialogTest", runConverterDialogTests},
        {"DialogGeometryTest", runDialogGeometryTests},
        {"ConversionTest", runConversionTests},
        {"MessageBoxPromptsTest", runMessageBoxPromptsTests},
        {"InputFromDesktopTest", runInputFromDesktopTests},
        {"StartArgumentsTest", runStartArgumentsTests}};
    std::vector<char*> arguments(argv, argv + argc);
    const char* only = arguments.size() > 1 ? arguments[1] : "";
    bool named = false;
    for (const auto& [name, run] : testClasses) {
        named = named || std::strcmp(only, name) == 0;
    }
    if (named) {
        arguments.erase(arguments.begin() + 1);
    }
    int failures = 0;
    for (const auto& [name, run] : testClasses) {
        if (!named || std::strcmp(only, name) == 0) {
            failures += run(static_cast<int>(arguments.size()), arguments.data());
        }
    }
    return failures == 0 ? 0 : 1;
}
