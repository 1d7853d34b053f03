// zemra-convert --diff with a tester folder on either side: a folder freshly converted from its
// board is the same program, an edit of the files on the tester is reported exactly, and a file
// that is not as a conversion writes it is refused with its line and column.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "behaviour_name.h"
#include "board_generator.h"
#include "decode/listing_lines.h"
#include "diff_run.h"
#include "escaped_text.h"
#include "files/forwarding_file_system.h"
#include "golden_boards.h"
#include "in_memory_conversion.h"
#include "json_text.h"
#include "listing_edits.h"
#include "process_runner.h"
#include "temp_folder.h"
#include "tester/listing_reader.h"

namespace zemra {
namespace {

using testing::readFile;
using testing::writeFile;

constexpr const char* kNoChange =
    "0 steps added, 0 removed, 0 changed, 0 moved; 0 ICs added, 0 removed, 0 pin counts changed, "
    "0 IC pins changed; 0 checks added, 0 resolved\n";

std::string lineFeedsOnly(const std::string& text) {
    std::string lines;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!(text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')) {
            lines += text[at];
        }
    }
    return lines;
}

// The folder PARENT/TITLE with the four files that converting `board` writes, their line ends
// LF alone where asked.
std::filesystem::path writeConversion(const std::filesystem::path& parent, const std::string& title,
                                      const std::string& board, DecodeOptions options,
                                      bool lineFeeds = false) {
    const testing::ConvertedBoard converted = testing::convertInMemory(board, options, title);
    const std::filesystem::path folder = parent / title;
    std::filesystem::create_directories(folder);
    const auto ends = [&](const std::string& text) {
        return lineFeeds ? lineFeedsOnly(text) : text;
    };
    writeFile(folder / (title + ".dat"), ends(converted.listing));
    writeFile(folder / (title + ".icn"), ends(converted.icn));
    writeFile(folder / (title + ".icp"), ends(converted.icp));
    writeFile(folder / (title + ".scp"), ends(converted.scp));
    return folder;
}

struct DiffResult {
    int status = 0;
    std::string out;
    std::string err;
};

DiffResult diff(const std::filesystem::path& before, const std::filesystem::path& after,
                DecodeOptions options = {}, bool json = false,
                std::optional<std::filesystem::path> page = std::nullopt) {
    cli::DiffRequest request;
    request.options = options;
    request.before = before;
    request.after = after;
    request.json = json;
    request.htmlPage = std::move(page);
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::diffBoards(request, systemFileSystem(), out, err);
    return {status, out.str(), err.str()};
}

// The output after its header: three lines of text, one of JSON.
std::string afterHeader(const std::string& out, bool json) {
    std::size_t at = 0;
    for (int line = 0; line < (json ? 1 : 3) && at != std::string::npos; ++line) {
        at = out.find('\n', at);
        at = at == std::string::npos ? at : at + 1;
    }
    return at == std::string::npos ? "" : out.substr(at);
}

// The steps of a listing.
std::vector<ListedColumns> stepsOf(const std::string& listing) {
    MemorySource input(std::as_bytes(std::span(listing)));
    ListingReader reader(input, "BOARD.dat");
    std::vector<ListedColumns> steps;
    while (const ListedColumns* step = reader.next()) {
        steps.push_back(*step);
    }
    return steps;
}

// The listing with its header as it is and the columns of step `step` as `edit` leaves them.
std::string editedListing(const std::string& listing, std::int64_t step,
                          const std::function<void(ListedColumns&)>& edit) {
    std::size_t header = 0;
    for (int line = 0; line < 5; ++line) {
        header = listing.find('\n', header) + 1;
    }
    MemorySink text;
    text.write(std::span(listing.data(), header));
    TextWriter writer(text);
    for (ListedColumns columns : stepsOf(listing)) {
        if (columns.step == step) {
            edit(columns);
        }
        writeListedStep(columns, writer);
    }
    writer.flush();
    return text.text();
}

struct RoundTrip {
    std::uint64_t seed;
    std::size_t records;
};

class GeneratedBoardAndItsFolder : public ::testing::TestWithParam<RoundTrip> {
  protected:
    void SetUp() override {
        const std::vector<std::byte> generated = generateBoard(GetParam().seed, GetParam().records);
        board_.assign(reinterpret_cast<const char*>(generated.data()), generated.size());
        writeFile(folder_ / "BOARD.cmp", board_);
    }

    testing::TempFolder folder_;
    std::string board_;
};

TEST_P(GeneratedBoardAndItsFolder, AreTheSameUnderEveryOption) {
    for (const TesterVariant variant : {TesterVariant::Kx740FeFr, TesterVariant::Kx740e}) {
        for (const bool reversePins : {false, true}) {
            for (const bool lineFeeds : {false, true}) {
                SCOPED_TRACE(::testing::Message()
                             << "KX740E " << (variant == TesterVariant::Kx740e) << ", reverse "
                             << reversePins << ", LF " << lineFeeds);
                const std::filesystem::path converted = writeConversion(
                    folder_.path(), "BOARD", board_, {variant, reversePins}, lineFeeds);
                // The folder's listing tells the variant; the option may say it too.
                for (const DecodeOptions options :
                     {DecodeOptions{TesterVariant::Kx740FeFr, reversePins},
                      DecodeOptions{variant, reversePins}}) {
                    const DiffResult there = diff(folder_ / "BOARD.cmp", converted, options);
                    EXPECT_EQ(there.status, cli::kDiffSame) << there.out << there.err;
                    EXPECT_EQ(afterHeader(there.out, false), kNoChange);
                    const DiffResult back = diff(converted, folder_ / "BOARD.cmp", options, true);
                    EXPECT_EQ(back.status, cli::kDiffSame) << back.out << back.err;
                    EXPECT_EQ(afterHeader(back.out, true), "");
                }
            }
        }
    }
}

TEST_P(GeneratedBoardAndItsFolder, ReportsExactlyTheEditedColumnOfTheEditedStep) {
    for (const TesterVariant variant : {TesterVariant::Kx740FeFr, TesterVariant::Kx740e}) {
        const std::filesystem::path converted =
            writeConversion(folder_.path(), "BOARD", board_, {variant, false});
        const std::string listing = readFile(converted / "BOARD.dat");
        const std::vector<ListedColumns> steps = stepsOf(listing);
        ASSERT_FALSE(steps.empty());
        std::vector<std::size_t> edited{0, steps.size() / 2, steps.size() - 1};
        for (std::size_t index = 0; index < steps.size(); ++index) {
            if (steps[index].partsN.view() == "*") {
                edited.push_back(index);
                break;
            }
        }
        for (const std::size_t index : edited) {
            const ListedColumns& step = steps[index];
            for (const ListingColumn* column : headedColumns()) {
                if (column->id == ColumnId::Step || column->id == ColumnId::PartName ||
                    (column->id == ColumnId::Type && variant == TesterVariant::Kx740e)) {
                    continue;
                }
                SCOPED_TRACE(::testing::Message()
                             << "KX740E " << (variant == TesterVariant::Kx740e) << ", step "
                             << step.step << ", " << column->heading);
                ListedColumns after = step;
                testing::tuneColumn(after, column->id);
                writeFile(converted / "BOARD.dat",
                          editedListing(listing, step.step,
                                        [&](ListedColumns& columns) { columns = after; }));
                cli::Json expected;
                expected["change"] = "changed";
                expected["partName"] = cli::byteText(step.partsN.view());
                expected["oldStep"] = step.step;
                expected["newStep"] = step.step;
                expected["columns"][std::string(column->heading)] =
                    cli::Json::array({cli::byteText(columnText(step, column->id)),
                                      cli::byteText(columnText(after, column->id))});
                const DiffResult result = diff(folder_ / "BOARD.cmp", converted, {}, true);
                EXPECT_EQ(result.status, cli::kDiffDifferent) << result.err;
                EXPECT_EQ(afterHeader(result.out, true), cli::jsonText(expected) + "\n");
            }
        }
        writeFile(converted / "BOARD.dat", listing);
    }
}

INSTANTIATE_TEST_SUITE_P(Boards, GeneratedBoardAndItsFolder,
                         ::testing::Values(RoundTrip{1, 300}, RoundTrip{7, 900},
                                           RoundTrip{2026, 1500}));

// The two-IC board and its conversion, with one of the folder's files edited.
class TwoIcBoardAndItsFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        writeFile(folder / "BOARD.cmp", testing::twoIcBoard());
        converted = writeConversion(folder.path(), "BOARD", testing::twoIcBoard(), {});
    }
    // Replaces the first `text` of the folder's file with `replacement`.
    void edit(const std::string& extension, const std::string& text,
              const std::string& replacement) {
        const std::filesystem::path file = converted / ("BOARD" + extension);
        std::string bytes = readFile(file);
        const std::size_t at = bytes.find(text);
        ASSERT_NE(at, std::string::npos) << text;
        writeFile(file, bytes.replace(at, text.size(), replacement));
    }
    void setAverage(std::int64_t step, int average) {
        const std::filesystem::path listing = converted / "BOARD.dat";
        writeFile(listing, editedListing(readFile(listing), step,
                                         [&](ListedColumns& columns) { columns.avge = average; }));
    }

    testing::TempFolder folder;
    std::filesystem::path converted;
};

TEST_F(TwoIcBoardAndItsFolder, TunedAverageIsNamedByItsHeadingWithoutRecordFields) {
    setAverage(1, 10);
    const DiffResult text = diff(folder / "BOARD.cmp", converted);
    EXPECT_EQ(text.status, cli::kDiffDifferent);
    EXPECT_EQ(afterHeader(text.out, false),
              "changed: old step 1, new step 1, R1\n"
              "    AVGE: 0 -> 10\n"
              "0 steps added, 0 removed, 1 changed, 0 moved; 0 ICs added, 0 removed, 0 pin counts "
              "changed, 0 IC pins changed; 0 checks added, 0 resolved\n");
    const DiffResult json = diff(folder / "BOARD.cmp", converted, {}, true);
    EXPECT_EQ(afterHeader(json.out, true),
              "{\"change\":\"changed\",\"partName\":\"R1\",\"oldStep\":1,\"newStep\":1,"
              "\"columns\":{\"AVGE\":[\"0\",\"10\"]}}\n");
    const DiffResult page = diff(folder / "BOARD.cmp", converted, {}, false, folder / "diff.html");
    EXPECT_EQ(page.status, cli::kDiffDifferent) << page.err;
    const std::string html = readFile(folder / "diff.html");
    EXPECT_NE(html.find("<th>AVGE</th>"), std::string::npos);
    EXPECT_NE(html.find("<td class=\"changed\">10</td>"), std::string::npos);
    EXPECT_EQ(html.find("record: "), std::string::npos);
    EXPECT_NE(html.find("Not compared: a tester folder has no records to check."),
              std::string::npos);
}

struct FileEditCase {
    std::string behaviour;
    std::string extension;
    std::string text;
    std::string replacement;
    std::string reported;
};

class EditedPinOrSettingsFile : public TwoIcBoardAndItsFolder,
                                public ::testing::WithParamInterface<FileEditCase> {};

TEST_P(EditedPinOrSettingsFile, IsReported) {
    const FileEditCase& c = GetParam();
    edit(c.extension, c.text, c.replacement);
    const DiffResult result = diff(folder / "BOARD.cmp", converted);
    EXPECT_EQ(result.status, cli::kDiffDifferent) << result.err;
    EXPECT_NE(afterHeader(result.out, false).find(c.reported), std::string::npos) << result.out;
}

INSTANTIATE_TEST_SUITE_P(TwoIcBoard, EditedPinOrSettingsFile,
                         ::testing::ValuesIn(std::vector<FileEditCase>{
                             {"TesterPinOfAnIcPin", ".icp", "ICP /    3 =   23 0",
                              "ICP /    3 =   99 0", "IC U1 pin 3: tester pin 23 -> 99\n"},
                             {"LcOfAnIc", ".icn", " 1    U1  D1", " 1    U1  D7",
                              "the .icn files differ, though no step and no IC pin does"},
                             {"HighestPinSetting", ".scp", "SCP /13 = ", "SCP /13 = 4",
                              "the .scp files differ, though no step and no IC pin does"},
                         }),
                         testing::BehaviourName());

TEST_F(TwoIcBoardAndItsFolder, DatPathNamesItsFolder) {
    const DiffResult result = diff(folder / "BOARD.cmp", converted / "BOARD.dat");
    EXPECT_EQ(result.status, cli::kDiffSame) << result.err;
    EXPECT_NE(result.out.find("\nnew: " + cli::consoleEscapedName(converted / "BOARD.dat") + ": "),
              std::string::npos)
        << result.out;
    setAverage(2, 4);
    EXPECT_EQ(diff(converted / "BOARD.dat", folder / "BOARD.cmp").status, cli::kDiffDifferent);
}

TEST_F(TwoIcBoardAndItsFolder, TwoFoldersCompareAsTheirBoardsDo) {
    std::string revised = testing::twoIcBoard();
    revised.erase(8 * 64, 64);
    writeFile(folder / "REVISED.cmp", revised);
    const std::filesystem::path revisedFolder =
        writeConversion(folder.path(), "REVISED", revised, {});
    setAverage(1, 10);
    const DiffResult folders = diff(converted, revisedFolder);
    EXPECT_EQ(folders.status, cli::kDiffDifferent) << folders.err;
    EXPECT_EQ(
        afterHeader(folders.out, false),
        "changed: old step 1, new step 1, R1\n"
        "    AVGE: 10 -> 0\n"
        "removed: old step 9, C1\n"
        "       9 C1              0.10UF   B2    3    4     5     0     0     0   300     0 C\n"
        "                0.0      0.10UF   20   20    0     0     0     0     0   0.0   0.0\n"
        "0 steps added, 1 removed, 1 changed, 0 moved; 0 ICs added, 0 removed, 0 pin counts "
        "changed, 0 IC pins changed; 0 checks added, 0 resolved\n");
    EXPECT_EQ(diff(converted, converted).status, cli::kDiffSame);
}

struct RefusalCase {
    std::string behaviour;
    std::string extension;
    std::string text;
    std::string replacement;
    std::string message;  // after the file's path
};

class RefusedTesterFile : public TwoIcBoardAndItsFolder,
                          public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusedTesterFile, IsTroubleWithItsLineAndColumn) {
    const RefusalCase& c = GetParam();
    edit(c.extension, c.text, c.replacement);
    for (const bool json : {false, true}) {
        const DiffResult result =
            diff(folder / "BOARD.cmp", converted, {}, json, folder / "d.html");
        EXPECT_EQ(result.status, cli::kDiffTrouble);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err,
                  "zemra-convert: " + cli::consoleEscapedName(converted / ("BOARD" + c.extension)) +
                      c.message + "\n");
        EXPECT_FALSE(std::filesystem::exists(folder / "d.html"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    TwoIcBoard, RefusedTesterFile,
    ::testing::ValuesIn(std::vector<RefusalCase>{
        {"StepOutOfOrder", ".dat", "\r\n   2 ", "\r\n   3 ",
         ", line 8, column 1: expected step number 2"},
        {"ValueThatIsNoNumber", ".dat", "   4.70K", "   4.7xK",
         ", line 6, column 19: expected Actual-V, a number with 2 decimals right-aligned in 7 "
         "columns"},
        {"IcpNumberOutOfOrder", ".icp", "ICP /    2 ", "ICP /    7 ",
         ", line 2, column 7: expected ICP number 2"},
        {"FixedSettingChanged", ".scp", "SCP /16 = 2", "SCP /16 = 3",
         ", line 3, column 11: expected 2, a whole number from 2 to 2"},
    }),
    testing::BehaviourName());

TEST_F(TwoIcBoardAndItsFolder, PathThatCannotBeLookedAtIsTrouble) {
    const DiffResult result = diff(folder / "BOARD.cmp", folder / "BOARD.cmp" / "BOARD");
    EXPECT_EQ(result.status, cli::kDiffTrouble);
    EXPECT_NE(result.err.find(cli::consoleEscapedName(folder / "BOARD.cmp" / "BOARD")),
              std::string::npos)
        << result.err;
}

TEST_F(TwoIcBoardAndItsFolder, MissingFileOfTheFolderIsTrouble) {
    std::filesystem::remove(converted / "BOARD.scp");
    const DiffResult result = diff(folder / "BOARD.cmp", converted);
    EXPECT_EQ(result.status, cli::kDiffTrouble);
    EXPECT_NE(result.err.find(cli::consoleEscapedName(converted / "BOARD.scp")), std::string::npos)
        << result.err;
}

// Rewrites the listing as it is opened for the second pass, as a tester saving it meanwhile
// would: once for its variant, once for each pass.
class ListingChangingOnItsLastOpen : public ForwardingFileSystem {
  public:
    explicit ListingChangingOnItsLastOpen(std::filesystem::path listing)
        : ForwardingFileSystem(systemFileSystem()), listing_(std::move(listing)) {}

    std::unique_ptr<ReadableFile> openForReading(const std::filesystem::path& path) override {
        if (path == listing_ && ++opens_ == 3) {
            writeFile(path, editedListing(readFile(path), 1,
                                          [](ListedColumns& columns) { columns.rpt = 2; }));
        }
        return ForwardingFileSystem::openForReading(path);
    }

  private:
    std::filesystem::path listing_;
    int opens_ = 0;
};

TEST_F(TwoIcBoardAndItsFolder, ListingChangedWhileComparedIsTrouble) {
    ListingChangingOnItsLastOpen fileSystem(converted / "BOARD.dat");
    cli::DiffRequest request;
    request.before = folder / "BOARD.cmp";
    request.after = converted;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(cli::diffBoards(request, fileSystem, out, err), cli::kDiffTrouble);
    EXPECT_EQ(err.str(), "zemra-convert: " + cli::consoleEscapedName(converted / "BOARD.dat") +
                             ": the file changed while it was being compared\n");
}

TEST_F(TwoIcBoardAndItsFolder, VariantOptionThatTheListingContradictsIsTrouble) {
    const DiffResult result =
        diff(folder / "BOARD.cmp", converted, {.variant = TesterVariant::Kx740e});
    EXPECT_EQ(result.status, cli::kDiffTrouble);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "zemra-convert: --diff: the tester folder lists its steps for the KX740 FE/FR, not "
              "the KX740E of --kx740e\n");
}

TEST_F(TwoIcBoardAndItsFolder, ConvertedByTheProgramIsTheSame) {
    std::filesystem::remove_all(converted);
    ASSERT_EQ(
        testing::runProgram(ZEMRA_CONVERT_PATH, "--kx740e BOARD.cmp", folder.path()).exitStatus, 0);
    const testing::ProgramResult result =
        testing::runProgram(ZEMRA_CONVERT_PATH, "--diff BOARD.cmp BOARD", folder.path());
    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_NE(result.out.find(" --diff, for the KX740E\n"), std::string::npos) << result.out;
    EXPECT_TRUE(result.out.ends_with(kNoChange)) << result.out;
}

}  // namespace
}  // namespace zemra
