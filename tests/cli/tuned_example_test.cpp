// The bundled tester folder examples/tester/BOARD7: the example board's conversion with the
// tuning an engineer did on the tester and nothing else, and carried to the board's revision it
// gives the revision's conversion with exactly the columns that the tester alone changed.
#include <gtest/gtest.h>

#include <sstream>

#include "process_runner.h"
#include "temp_folder.h"

namespace zemra {
namespace {

namespace fs = std::filesystem;

// The lines of --diff --report=json that name a change, the header left out.
std::vector<std::string> changesOf(const std::string& json) {
    std::vector<std::string> changes;
    std::istringstream lines(json);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("{\"change\":\"header\"")) {
            changes.push_back(line);
        }
    }
    return changes;
}

class TunedExample : public ::testing::Test {
  protected:
    void SetUp() override {
        const fs::path examples(ZEMRA_EXAMPLES_DIR);
        for (const char* board : {"BOARD7.cmp", "BOARD7-rev2.cmp"}) {
            fs::copy_file(examples / board, folder / board);
        }
        fs::copy(examples / "tester", folder / "tester", fs::copy_options::recursive);
    }

    testing::ProgramResult run(const std::string& arguments) {
        return testing::runProgram(ZEMRA_CONVERT_PATH, arguments, folder.path());
    }

    testing::TempFolder folder;
};

TEST_F(TunedExample, FolderIsTheBoardsConversionWithTheTuningAlone) {
    const auto diff = run("--diff --report=json BOARD7.cmp tester/BOARD7");
    EXPECT_EQ(diff.exitStatus, 1) << diff.err;
    EXPECT_EQ(
        changesOf(diff.out),
        (std::vector<std::string>{
            R"({"change":"changed","partName":"VCC1","oldStep":1,"newStep":1,"columns":{"DLY":["120","150"]}})",
            R"({"change":"changed","partName":"R5","oldStep":19,"newStep":19,"columns":{"Stand-V":["2.07K","2.10K"],"AVGE":["0","10"]}})",
            R"({"change":"changed","partName":"C7","oldStep":21,"newStep":21,"columns":{"DLY":["0","20"]}})",
            R"({"change":"changed","partName":"R14","oldStep":67,"newStep":67,"columns":{"+Lm%":["1","3"]}})"}));
}

TEST_F(TunedExample, RevisionTakesWhatTheTesterAloneChanged) {
    const auto tuned =
        run("--tuned tester/BOARD7 --base BOARD7.cmp -o . --report=json BOARD7-rev2.cmp");
    ASSERT_EQ(tuned.exitStatus, 0) << tuned.err;
    const auto diff = run("--diff --report=json BOARD7-rev2.cmp BOARD7-rev2");
    EXPECT_EQ(diff.exitStatus, 1) << diff.err;
    // R5's Stand-V changed in the revision as well: a conflict, the revision's value kept. C7 is
    // gone from the revision: its tuning is dropped.
    EXPECT_EQ(
        changesOf(diff.out),
        (std::vector<std::string>{
            R"({"change":"changed","partName":"VCC1","oldStep":1,"newStep":1,"columns":{"DLY":["120","150"]}})",
            R"({"change":"changed","partName":"R5","oldStep":19,"newStep":19,"columns":{"AVGE":["0","10"]}})",
            R"({"change":"changed","partName":"R14","oldStep":67,"newStep":67,"columns":{"+Lm%":["1","3"]}})"}));
}

}  // namespace
}  // namespace zemra
