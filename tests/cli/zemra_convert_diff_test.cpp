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

// The output after its header: three lines of text, one of JSON.
std::string afterHeader(const std::string& out, bool json) {
    std::size_t at = 0;
    for (int line = 0; line < (json ? 1 : 3) && at != std::string::npos; ++line) {
        at = out.find('\n', at);
        at = at == std::string::npos ? at : at + 1;
    }
    return at == std::string::npos ? "" : out.substr(at);
}

constexpr const char* kNoChange =
    "0 steps added, 0 removed, 0 changed, 0 moved; 0 ICs added, 0 removed, 0 pin counts changed, "
    "0 IC pins changed; 0 checks added, 0 resolved\n";

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
        EXPECT_EQ(afterHeader(result.out, c.arguments.find("--report=json") != std::string::npos),
                  c.out);
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
        {"SameBoardsAsJsonPrintOnlyTheHeader", "--diff --report=json old.cmp old.cmp", 0, "", ""},
        {"RevisedBoardDiffers", "--diff old.cmp new.cmp", 1, "*", ""},
        {"MissingFileIsTrouble", "--diff old.cmp gone.cmp", 2, "", "gone.cmp"},
        {"OneFileIsAUsageError", "--diff old.cmp", 2, "", "--diff needs two files"},
        {"OutputFolderIsAUsageError", "--diff -o . old.cmp new.cmp", 2, "", "-o has no use"},
    }),
    testing::BehaviourName());

TEST_F(ZemraConvertDiff, JsonLinesNameEachChange) {
    const testing::ProgramResult result = run("--diff --report=json old.cmp new.cmp");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(
        afterHeader(result.out, true),
        "{\"change\":\"changed\",\"partName\":\"R1\",\"oldStep\":1,\"newStep\":1,"
        "\"columns\":{\"Stand-V\":[\"4.70K\",\"5.60K\"]},"
        "\"fields\":{\"standardValue\":[4700,5600]}}\n"
        "{\"change\":\"changed\",\"partName\":\"U1_3\",\"oldStep\":4,\"newStep\":4,"
        "\"columns\":{\"Hi-P\":[\"23\",\"60\"]},\"fields\":{\"hiPin\":[23,60]}}\n"
        "{\"change\":\"removed\",\"partName\":\"C1\",\"oldStep\":9,\"newStep\":null,"
        "\"columns\":{\"Parts-N\":\"C1\",\"Actual-V\":\"0.10UF\",\"LC\":\"B2\",\"Hi-P\":\"3\","
        "\"Lo-P\":\"4\",\"G-P1\":\"5\",\"G-P2\":\"0\",\"G-P3\":\"0\",\"G-P4\":\"0\","
        "\"G-P5\":\"300\",\"Skip\":\"0\",\"Type\":\"C\",\"Meas-V\":\"0.0\","
        "\"Stand-V\":\"0.10UF\",\"+Lm%\":\"20\",\"-Lm%\":\"20\",\"DLY\":\"0\",\"MODE\":\"0\","
        "\"AVGE\":\"0\",\"RPT\":\"0\",\"SMP\":\"0\",\"OFFSET\":\"0.0\",\"DEV%\":\"0.0\"}}\n"
        "{\"change\":\"icPin\",\"ic\":\"U1\",\"pin\":3,\"oldTesterPin\":23,"
        "\"newTesterPin\":60,\"oldSourceStep\":4,\"oldSourcePartName\":\"U1_3\","
        "\"newSourceStep\":4,\"newSourcePartName\":\"U1_3\"}\n");
}

TEST_F(ZemraConvertDiff, TextShowsTheChangedFieldsAndCounts) {
    const testing::ProgramResult result = run("--diff old.cmp new.cmp");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(
        afterHeader(result.out, false),
        "changed: old step 1, new step 1, R1\n"
        "    Stand-V: 4.70K -> 5.60K\n"
        "    record standardValue: 4700 -> 5600\n"
        "changed: old step 4, new step 4, U1_3\n"
        "    Hi-P: 23 -> 60\n"
        "    record hiPin: 23 -> 60\n"
        "removed: old step 9, C1\n"
        "       9 C1              0.10UF   B2    3    4     5     0     0     0   300     0 C\n"
        "                0.0      0.10UF   20   20    0     0     0     0     0   0.0   0.0\n"
        "IC U1 pin 3: tester pin 23 -> 60 (step 4 U1_3 -> step 4 U1_3)\n"
        "0 steps added, 1 removed, 2 changed, 0 moved; 0 ICs added, 0 removed, 0 pin counts "
        "changed, 1 IC pin changed; 0 checks added, 0 resolved\n");
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
    FileChangingOnItsSecondOpen(std::filesystem::path changing, std::string saved)
        : ForwardingFileSystem(systemFileSystem()),
          changing_(std::move(changing)),
          saved_(std::move(saved)) {}

    std::unique_ptr<ReadableFile> openForReading(const std::filesystem::path& path) override {
        if (path == changing_ && ++opens_ == 2) {
            writeFile(path, saved_);
        }
        return ForwardingFileSystem::openForReading(path);
    }

  private:
    std::filesystem::path changing_;
    std::string saved_;
    int opens_ = 0;
};

class ChangedRevisions : public ZemraConvertDiff,
                         public ::testing::WithParamInterface<const char*> {};

// Saved between the two passes, longer, or at the same size with one value of a middle record
// other, which only the check of the second pass's bytes sees: the comparison is refused, naming
// the file, with no counts and no page, rather than report what it read as a mix of two files.
TEST_P(ChangedRevisions, AreRefusedWithNoResult) {
    const std::filesystem::path changing = folder / GetParam();
    const std::string original = testing::readFile(changing);
    std::string oneValueOther = original;
    ++oneValueOther[original.size() / 128 * 64 + 12];
    for (const std::string& saved : {original + original, oneValueOther}) {
        writeFile(changing, original);
        FileChangingOnItsSecondOpen fileSystem(changing, saved);
        cli::DiffRequest request;
        request.before = folder / "old.cmp";
        request.after = folder / "new.cmp";
        request.htmlPage = folder / "diff.html";
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(cli::diffBoards(request, fileSystem, out, err), cli::kDiffTrouble);
        EXPECT_EQ(err.str(), "zemra-convert: " + cli::consoleEscapedName(changing) +
                                 ": the file changed while it was being compared\n");
        EXPECT_EQ(out.str().find(" resolved\n"), std::string::npos) << out.str();
        EXPECT_FALSE(std::filesystem::exists(folder / "diff.html"));
    }
}

INSTANTIATE_TEST_SUITE_P(ZemraConvertDiff, ChangedRevisions,
                         ::testing::Values("old.cmp", "new.cmp"));

TEST_F(ZemraConvertDiff, HeaderNamesTheProgramOptionsFilesSizesAndHashes) {
    const testing::ProgramResult text = run("--diff --reverse-pins old.cmp new.cmp");
    EXPECT_TRUE(text.out.starts_with("zemra-convert ")) << text.out;
    EXPECT_NE(text.out.find(" --diff, for the KX740 FE/FR, Hi and Lo pins of voltage steps "
                            "exchanged\nold: old.cmp: 1920 bytes, SHA-256 "),
              std::string::npos)
        << text.out;
    const std::size_t newLine = text.out.find("\nnew: new.cmp: 1856 bytes, SHA-256 ");
    ASSERT_NE(newLine, std::string::npos) << text.out;
    const std::string hash = text.out.substr(newLine + 35, 64);
    EXPECT_EQ(text.out.substr(newLine + 35 + 64, 1), "\n");
    EXPECT_EQ(hash.find_first_not_of("0123456789abcdef"), std::string::npos) << hash;
    const testing::ProgramResult json = run("--diff --report=json old.cmp new.cmp");
    EXPECT_TRUE(json.out.starts_with("{\"change\":\"header\",\"version\":")) << json.out;
    EXPECT_NE(json.out.find("\"variant\":\"KX740 FE/FR\",\"reversePins\":false,\"old\":{"
                            "\"file\":\"old.cmp\",\"size\":1920,\"sha256\":\""),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"new\":{\"file\":\"new.cmp\",\"size\":1856,\"sha256\":\"" + hash),
              std::string::npos);
}

TEST_F(ZemraConvertDiff, DifferentBoardsAreComparedWithAWarning) {
    std::string other;
    for (int step = 1; step <= 10; ++step) {
        RecordBuilder record;
        record.name("X" + std::to_string(step)).typeCode(1).pins(step, step + 1);
        other.append(reinterpret_cast<const char*>(record.bytes().data()), 64);
    }
    writeFile(folder / "other.cmp", other);
    const testing::ProgramResult result = run("--diff --html diff.html old.cmp other.cmp");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_NE(result.err.find("the two files look like different boards"), std::string::npos)
        << result.err;
    EXPECT_NE(result.out.find("10 steps added, 29 removed"), std::string::npos) << result.out;
    const std::string page = readFile(folder / "diff.html");
    EXPECT_NE(page.find("the two files look like different boards"), std::string::npos);
    EXPECT_EQ(run("--diff old.cmp new.cmp").err, "");
}

// The two-IC board with its first three diode steps moved after U1 pin 8's, and its resistor
// moved to the end with another value.
std::string movedTwoIcBoard() {
    const std::string board = testing::twoIcBoard();
    RecordBuilder resistor;
    resistor.name("R1").lc("A1").typeCode(1).pins(1, 2).actual(470, 0x15).standard(5600, 0x14);
    resistor.limits(5, 5);
    std::string moved = board.substr(64, 7 * 64);
    moved = moved.substr(3 * 64) + moved.substr(0, 3 * 64);
    return moved + board.substr(8 * 64) +
           std::string(reinterpret_cast<const char*>(resistor.bytes().data()), 64);
}

TEST_F(ZemraConvertDiff, MovedRunIsOneEntryAndAMovedChangedStepShowsItsColumns) {
    writeFile(folder / "moved.cmp", movedTwoIcBoard());
    const testing::ProgramResult result = run("--diff old.cmp moved.cmp");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_NE(result.out.find("moved: old steps 2-4, new steps 5-7, U1_1 to U1_3\n"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("moved and changed: old step 1, new step 29, R1\n"
                              "    Stand-V: 4.70K -> 5.60K\n"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("0 steps added, 0 removed, 1 changed, 4 moved;"), std::string::npos);
    const testing::ProgramResult json = run("--diff --report=json old.cmp moved.cmp");
    EXPECT_NE(json.out.find("{\"change\":\"moved\",\"partName\":\"U1_2\",\"oldStep\":3,"
                            "\"newStep\":6}\n"),
              std::string::npos)
        << json.out;
}

// The number of times `part` occurs in `text`.
std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST_F(ZemraConvertDiff, PageMarksMovesUnresolvedPinsAndChecksAndFiltersThem) {
    std::string broken = movedTwoIcBoard();
    broken.erase(64, 64);  // U1 pin 5's diode step: the pin loses its tester pin
    writeFile(folder / "broken.cmp", broken);
    const testing::ProgramResult result = run("--diff --html diff.html old.cmp broken.cmp");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_NE(result.out.find("IC U1 pin 5: tester pin 25 -> 0 (step 6 U1_5 -> no step) (error: "
                              "unresolved)\n"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("check added: error unresolved-ic-pin"), std::string::npos);
    const std::string page = readFile(folder / "diff.html");
    const std::size_t counts = page.find("<table class=\"counts\">");
    const std::string countsTable = page.substr(counts, page.find("</table>", counts) - counts);
    EXPECT_EQ(occurrences(countsTable, "<th>"), occurrences(countsTable, "<td"));
    EXPECT_NE(page.find("<tr class=\"moved\" data-severity=\"moved\"><td>moved</td><td "
                        "class=\"number\">2-4 → 4-6</td>"),
              std::string::npos);
    EXPECT_NE(page.find("<g class=\"pin changed unresolved\" data-ic=\"U1\" data-pin=\"5\" "
                        "data-old-tester-pin=\"25\" data-new-tester-pin=\"0\" "
                        "data-old-source-step=\"6\""),
              std::string::npos);
    EXPECT_NE(page.find("<tr class=\"error check-added\" data-severity=\"error\">"),
              std::string::npos);
    EXPECT_NE(page.find("<select data-severity=\"diff-steps\">"), std::string::npos);
    EXPECT_NE(page.find("@media print"), std::string::npos);
    // Headings in order: one h1, then h2 sections.
    EXPECT_EQ(occurrences(page, "<h1"), 1U);
    EXPECT_EQ(occurrences(page, "<h3"), 0U);
    EXPECT_EQ(occurrences(page, "<h2"), 4U);
}

}  // namespace
}  // namespace zemra
