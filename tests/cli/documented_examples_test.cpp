// The examples of the README and of the pages in docs/ print what the pages show. An example is
// a line "$ COMMAND" in a fenced code block, and the lines after it, up to the next "$ " line or
// the end of the block, are its standard output. The commands run one after the other, as a
// reader types them, in a folder laid out as a clone after `make demo`, and each must print
// exactly what its page shows.
#include <gtest/gtest.h>

#include <sstream>

#include "process_runner.h"
#include "temp_folder.h"

namespace zemra {
namespace {

namespace fs = std::filesystem;
using testing::readFile;

struct Example {
    std::string page;
    int line = 0;
    std::string command;
    std::string output;
};

std::vector<Example> examplesOf(const std::string& page, const std::string& text) {
    std::vector<Example> examples;
    std::istringstream lines(text);
    std::string line;
    bool inBlock = false;
    bool inExample = false;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (line.starts_with("```")) {
            inBlock = !inBlock;
            inExample = false;
        } else if (inBlock && line.starts_with("$ ")) {
            examples.push_back({page, number, line.substr(2), ""});
            inExample = true;
        } else if (inExample) {
            examples.back().output += line + "\n";
        }
    }
    return examples;
}

// The word as one argument of a POSIX shell.
std::string quoted(const std::string& word) {
    std::string result = "'";
    for (const char c : word) {
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return result + "'";
}

// The text as a terminal shows it: a CR before an LF shows as nothing (the CSV of --dump ends
// its lines in CR LF).
std::string asShown(std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
        text.erase(at, 1);
    }
    return text;
}

// A clone after `make demo`: the example boards and tester folder, the program where the dist build
// puts it, and the demo's outputs.
void layOutClone(const fs::path& clone) {
    fs::create_directories(clone / "examples");
    for (const char* board : {"BOARD7.cmp", "BOARD7-rev2.cmp"}) {
        fs::copy_file(fs::path(ZEMRA_EXAMPLES_DIR) / board, clone / "examples" / board);
    }
    fs::copy(fs::path(ZEMRA_EXAMPLES_DIR) / "tester", clone / "examples" / "tester",
             fs::copy_options::recursive);
    fs::create_directories(clone / "build" / "dist" / "cli");
    fs::create_symlink(ZEMRA_CONVERT_PATH, clone / "build" / "dist" / "cli" / "zemra-convert");
    fs::create_directories(clone / "build" / "demo");
    const auto demo = testing::runProgram("build/dist/cli/zemra-convert",
                                          "-o build/demo examples/BOARD7.cmp", clone);
    ASSERT_EQ(demo.exitStatus, 0) << demo.err;
}

TEST(DocumentedExamples, PrintWhatTheirPagesShow) {
    std::vector<Example> examples;
    for (const char* page : {"README.md", "docs/newcomers.md"}) {
        const auto found = examplesOf(page, readFile(fs::path(ZEMRA_SOURCE_DIR) / page));
        EXPECT_FALSE(found.empty()) << page << " shows no example";
        examples.insert(examples.end(), found.begin(), found.end());
    }
    const testing::TempFolder clone;
    layOutClone(clone.path());
    for (const Example& example : examples) {
        const auto result =
            testing::runProgram("/bin/sh", "-c " + quoted(example.command), clone.path());
        EXPECT_EQ(asShown(result.out), example.output)
            << example.page << ":" << example.line << ": $ " << example.command << "\n"
            << result.err;
    }
}

}  // namespace
}  // namespace zemra
