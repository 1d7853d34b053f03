#include <array>
#include <cstring>
#include <vector>

#include <QApplication>

int runConverterDialogTests(int argc, char** argv);
int runDialogGeometryTests(int argc, char** argv);
int runConversionTests(int argc, char** argv);
int runMessageBoxPromptsTests(int argc, char** argv);

namespace {

struct TestClass {
    const char* name;
    int (*run)(int argc, char** argv);
};

constexpr std::array<TestClass, 4> kTestClasses{{
    {"ConverterDialogTest", runConverterDialogTests},
    {"DialogGeometryTest", runDialogGeometryTests},
    {"ConversionTest", runConversionTests},
    {"MessageBoxPromptsTest", runMessageBoxPromptsTests},
}};

}  // namespace

// One executable for every test class of the program, which share one QApplication. A first
// argument that names a class runs that class alone, with the QTest arguments after it.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    std::vector<char*> arguments(argv, argv + argc);
    const char* only = nullptr;
    if (arguments.size() > 1) {
        for (const TestClass& testClass : kTestClasses) {
            if (std::strcmp(arguments[1], testClass.name) == 0) {
                only = testClass.name;
                arguments.erase(arguments.begin() + 1);
            }
        }
    }
    int failures = 0;
    for (const TestClass& testClass : kTestClasses) {
        if (only == nullptr || only == testClass.name) {
            failures += testClass.run(static_cast<int>(arguments.size()), arguments.data());
        }
    }
    return failures == 0 ? 0 : 1;
}
