// zemra-convert --diff as people and scripts read it: its exit status, its lines, its JSON and its
// page, and the files it leaves alone.
#include <gtest/gtest.h>

#include <sstream>

#include "behaviour_name.h"
#include "diff_run.h"
#include "escaped_text.h"
#include "files/forwarding_file_system.h"
#include "golden_boards.h"
#include "process_runner.h"
#include "record_builder.h"
#include "temp_folder.h"

namespace zemra {
namespace {

using testing::readFile;
using testing::writeFile;

// The two-IC board with its resistor at 5.6 kilo-ohm instead of 4.7, the C1 step removed and
// U1 pin 3's diode step on tester pin 60 instead of 23.
std::string revisedTwoIcBoard() {
    std::string board = testing::twoIcBoard();
    RecordBuilder resistor;
    resistor.name("R1").lc("A1").typeCode(1).pins(1, 2).actual(470, 0x15).standard(5600, 0x14);
    resistor.limits(5, 5);
    RecordBuilder diode;
    diode.name("U1-3").lc("D1").typeCode(10).pins(60, 100).mode('2');
    diode.actual(700, 0x40).standard(650, 0x40).limits(30, 30);
    board.replace(0, 64, reinterpret_cast<const char*>(resistor.bytes().data()), 64);
    board.replace(3 * 64, 64, reinterpret_cast<const char*>(diode.bytes().data()), 64);
    return board.erase(8 * 64, 64);
}

class ZemraConvertDiff : public ::testing::Test {
  protected:
    void SetUp() override {
        writeFile(folder / "old.cmp", testing::twoIcBoard());
        writeFile(folder / "new.cmp", revisedTwoIcBoard());
    }
    testing::ProgramResult run(const std::string& arguments) {
        return testing::runProgram(ZEMRA_CONVERT_PATH, arguments, folder.path());
    }

    testing::TempFolder folder;
};

constexpr const char* kNoChange =
    "0 steps added, 0 removed, 0 changed; 0 ICs added, 0 removed, 0 pin counts changed, 0 IC "
    "pins changed\n";

struct StatusCase {
    std::string behaviour;
    std::string arguments;
    int exitStatus;
    std::string out;
    std::string errPart;
};

class DiffStatus : public ZemraConvertDiff, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(DiffStatus, EndsAsDiffEnds) {
    const StatusCase& c = GetParam();
    const testing::ProgramResult result = run(c.arguments);
    EXPECT_EQ(result.exitStatus, c.exitStatus);
    if (c.out != "*") {
        EXPECT_EQ(result.out, c.out);
    }
    EXPECT_NE(result.err.find(c.errPart), std::string::npos) << result.err;
    // Nothing is converted.
    EXPECT_FALSE(std::filesystem::exists(folder / "old"));
    EXPECT_FALSE(std::filesystem::exists(folder / "new"));
}

INSTANTIATE_TEST_SUITE_P(
    Revisions, DiffStatus,
    ::testing::ValuesIn(std::vector<StatusCase>{
        {"SameFileIsNoChange", "--diff old.cmp old.cmp", 0, kNoChange, ""},
        {"SameBoardsAsJsonPrintNothing", "--diff --report=json old.cmp old.cmp", 0, "", ""},
        {"RevisedBoardDiffers", "--diff old.cmp new.cmp", 1, "*", ""},
        {"MissingFileIsTrouble", "--diff old.cmp gone.cmp", 2, "", "gone.cmp"},
        {"OneFileIsAUsageError", "--diff old.cmp", 2, "", "--diff needs two files"},
        {"OutputFolderIsAUsageError", "--diff -o . old.cmp new.cmp", 2, "", "-o has no use"},
    }),
    testing::BehaviourName());

TEST_F(ZemraConvertDiff, JsonLinesNameEachChange) {
    const testing::ProgramResult result = run("--diff --report=json old.cmp new.cmp");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out,
              "{\"change\":\"changed\",\"partName\":\"R1\",\"oldStep\":1,\"newStep\":1,"
              "\"fields\":{\"standardValue\":[4700,5600]}}\n"
              "{\"change\":\"changed\",\"partName\":\"U1_3\",\"oldStep\":4,\"newStep\":4,"
              "\"fields\":{\"hiPin\":[23,60]}}\n"
              "{\"change\":\"removed\",\"partName\":\"C1\",\"oldStep\":9,\"newStep\":null}\n"
              "{\"change\":\"icPin\",\"ic\":\"U1\",\"pin\":3,\"oldTesterPin\":23,"
              "\"newTesterPin\":60}\n");
}

TEST_F(ZemraConvertDiff, TextShowsTheChangedFieldsAndCounts) {
    const testing::ProgramResult result = run("--diff old.cmp new.cmp");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(
        result.out,
        "changed: old step 1, new step 1, R1\n"
        "    Stand-V: 4.70K -> 5.60K\n"
        "    record standardValue: 4700 -> 5600\n"
        "changed: old step 4, new step 4, U1_3\n"
        "    Hi-P: 23 -> 60\n"
        "    record hiPin: 23 -> 60\n"
        "removed: old step 9, C1\n"
        "       9 C1              0.10UF   B2    3    4     5     0     0     0   300     0 C\n"
        "                0.0      0.10UF   20   20    0     0     0     0     0   0.0   0.0\n"
        "IC U1 pin 3: tester pin 23 -> 60\n"
        "0 steps added, 1 removed, 2 changed; 0 ICs added, 0 removed, 0 pin counts "
        "changed, 1 IC pin changed\n");
}

TEST_F(ZemraConvertDiff, PageDrawsTheChangedPinsAndCarriesTheChanges) {
    const testing::ProgramResult result = run("--diff --html diff.html old.cmp new.cmp");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_TRUE(result.out.ends_with("diff.html\n")) << result.out;
    const std::string page = readFile(folder / "diff.html");
    EXPECT_NE(page.find("<script type=\"application/json\" id=\"zemra-data\">"), std::string::npos);
    EXPECT_NE(page.find("\"icPins\":1"), std::string::npos);
    EXPECT_NE(page.find("<g class=\"pin changed\" data-ic=\"U1\" data-pin=\"3\" "
                        "data-old-tester-pin=\"23\" data-new-tester-pin=\"60\""),
              std::string::npos);
    EXPECT_NE(page.find("<td class=\"changed\">5.60K</td>"), std::string::npos);
    EXPECT_EQ(page.find("://"), std::string::npos);
}

// Replaces the bytes of one file as it is opened the second time, as an editor saving it
// between the comparison's two passes would.
class FileChangingOnItsSecondOpen : public ForwardingFileSystem {
  public:
    explicit FileChangingOnItsSecondOpen(std::filesystem::path changing)
        : ForwardingFileSystem(systemFileSystem()), changing_(std::move(changing)) {}

    std::unique_ptr<ReadableFile> openForReading(const std::filesystem::path& path) override {
        if (path == changing_ && ++opens_ == 2) {
            writeFile(path, testing::twoIcBoard() + testing::twoIcBoard());
        }
        return ForwardingFileSystem::openForReading(path);
    }

  private:
    std::filesystem::path changing_;
    int opens_ = 0;
};

class ChangedRevisions : public ZemraConvertDiff,
                         public ::testing::WithParamInterface<const char*> {};

TEST_P(ChangedRevisions, AreNamedInTheError) {
    const std::filesystem::path changing = folder / GetParam();
    FileChangingOnItsSecondOpen fileSystem(changing);
    cli::DiffRequest request;
    request.before = folder / "old.cmp";
    request.after = folder / "new.cmp";
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(cli::diffBoards(request, fileSystem, out, err), cli::kDiffTrouble);
    EXPECT_EQ(err.str(), "zemra-convert: " + cli::shownName(changing) +
                             ": the file changed while it was being compared\n");
}

INSTANTIATE_TEST_SUITE_P(ZemraConvertDiff, ChangedRevisions,
                         ::testing::Values("old.cmp", "new.cmp"));

}  // namespace
}  // namespace zemra
