// The dialogs' Convert when the disk fails under it: the operator reads why, after the run, and
// the output folder is left without a file of the run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "behaviour_name.h"
#include "board_generator.h"
#include "converter_session.h"
#include "faulty_file_system.h"
#include "run/messages.h"
#include "scripted_front_end.h"
#include "temp_folder.h"

namespace zemra::app {
namespace {

using zemra::testing::Faults;

struct DialogFaultCase {
    const char* behaviour;
    void (*fault)(Faults& faults);
    MessageKind message;

    friend void PrintTo(const DialogFaultCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

class DialogConversionFaults : public ::testing::TestWithParam<DialogFaultCase> {};

TEST_P(DialogConversionFaults, AreShownAfterTheRunAndLeaveNoOutputs) {
    zemra::testing::TempFolder folder;
    // 2,000 records: an input of several reads and outputs of several writes.
    const auto bytes = generateBoard(3, 2000);
    zemra::testing::writeFile(
        folder / "BOARD.cmp",
        std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    Faults faults;
    GetParam().fault(faults);
    zemra::testing::FaultyFileSystem fileSystem(faults);
    ScriptedFrontEnd frontEnd;
    ConverterSession session(frontEnd, fileSystem);

    frontEnd.fileAnswers.emplace_back(folder / "BOARD.cmp");
    session.readFile();
    session.convert();

    EXPECT_EQ(frontEnd.messages,
              std::vector<std::string>{std::string(operatorText(GetParam().message))});
    EXPECT_FALSE(frontEnd.busyDuringMessage);
    EXPECT_FALSE(frontEnd.busy);
    EXPECT_TRUE(zemra::testing::entriesOf(folder / "BOARD").empty());
    EXPECT_EQ(fileSystem.writesAfterFailure(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Convert, DialogConversionFaults,
    ::testing::Values(DialogFaultCase{"ReadErrorPartWay",
                                      [](Faults& f) { f.readFailsAfter = 65536; },
                                      MessageKind::FileUnreadable},
                      DialogFaultCase{"DiskFullInTheIcnFile", [](Faults& f) { f.writeFailsIn = 1; },
                                      MessageKind::IcnNotCreated},
                      DialogFaultCase{"FlushOfTheSettingsFileFailing",
                                      [](Faults& f) { f.finishFailsIn = 3; },
                                      MessageKind::ScpNotCreated},
                      DialogFaultCase{"MoveOfTheListingFailing",
                                      [](Faults& f) { f.renameFailsInto = "BOARD.dat"; },
                                      MessageKind::DatNotCreated}),
    zemra::testing::BehaviourName());

// A failure that no message tells of, out of memory just before the outputs go into place, is
// shown in the operator's words; nothing escapes, and no output of the run is left.
TEST(DialogConversion, UnexpectedFailureIsShownAndLeavesNoOutputs) {
    zemra::testing::TempFolder folder;
    const auto bytes = generateBoard(3, 200);
    zemra::testing::writeFile(
        folder / "BOARD.cmp",
        std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    Faults faults;
    faults.beforeMove = [](const std::filesystem::path&) { throw std::bad_alloc(); };
    zemra::testing::FaultyFileSystem fileSystem(faults);
    ScriptedFrontEnd frontEnd;
    ConverterSession session(frontEnd, fileSystem);

    frontEnd.fileAnswers.emplace_back(folder / "BOARD.cmp");
    session.readFile();
    EXPECT_NO_THROW(session.convert());

    EXPECT_EQ(frontEnd.messages, std::vector<std::string>{std::string(kUnexpectedFailure)});
    EXPECT_FALSE(frontEnd.busy);
    EXPECT_TRUE(zemra::testing::entriesOf(folder / "BOARD").empty());
}

// The wait of every conversion of this process for another run's output folder, for one test.
class FolderWaitOf {
  public:
    explicit FolderWaitOf(const char* seconds) { set(seconds); }
    ~FolderWaitOf() { set(""); }
    FolderWaitOf(const FolderWaitOf&) = delete;
    FolderWaitOf& operator=(const FolderWaitOf&) = delete;

  private:
    // An empty value is as good as none: the default wait.
    static void set(const char* seconds) {
#ifdef _WIN32
        _putenv_s("ZEMRA_FOLDER_WAIT", seconds);
#else
        setenv("ZEMRA_FOLDER_WAIT", seconds, 1);
#endif
    }
};

TEST(DialogConversion, IntoAFolderThatAnotherRunKeepsShowsTheListingsMessage) {
    zemra::testing::TempFolder folder;
    zemra::testing::writeFile(folder / "BOARD.cmp", "");
    std::filesystem::create_directories(folder / "BOARD");
    const auto otherRun = systemFileSystem().tryLockFolder(folder / "BOARD");
    const FolderWaitOf noWait("0");
    ScriptedFrontEnd frontEnd;
    ConverterSession session(frontEnd, systemFileSystem());

    frontEnd.fileAnswers.emplace_back(folder / "BOARD.cmp");
    session.readFile();
    session.convert();

    EXPECT_EQ(frontEnd.messages,
              std::vector<std::string>{std::string(operatorText(MessageKind::DatNotCreated))});
}

}  // namespace
}  // namespace zemra::app
