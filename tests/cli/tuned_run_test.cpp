// zemra-convert --tuned FOLDER --base OLD NEW: over a folder nobody tuned, the conversion of NEW
// byte for byte; a tuned column carried into the outputs and reported; a folder that cannot be
// read leaves nothing written.
#include <gtest/gtest.h>

#include <sstream>

#include "board_generator.h"
#include "decode/listing_lines.h"
#include "escaped_text.h"
#include "golden_boards.h"
#include "in_memory_conversion.h"
#include "run/exit_status.h"
#include "temp_folder.h"
#include "tester/listing_reader.h"
#include "tuned_run.h"

namespace zemra {
namespace {

using testing::readFile;
using testing::writeFile;

constexpr LocalDateTime kAt{2026, 3, 6, 15, 1, 33};

// The folder PARENT/TITLE with the four files that converting `board` writes.
std::filesystem::path writeConversion(const std::filesystem::path& parent, const std::string& title,
                                      const std::string& board, DecodeOptions options) {
    const testing::ConvertedBoard converted = testing::convertInMemory(board, options, title, kAt);
    const std::filesystem::path folder = parent / title;
    std::filesystem::create_directories(folder);
    writeFile(folder / (title + ".dat"), converted.listing);
    writeFile(folder / (title + ".icn"), converted.icn);
    writeFile(folder / (title + ".icp"), converted.icp);
    writeFile(folder / (title + ".scp"), converted.scp);
    return folder;
}

// The listing with the columns of step `step` as `edit` leaves them.
std::string editedListing(const std::string& listing, std::int64_t step,
                          const std::function<void(ListedColumns&)>& edit) {
    std::size_t header = 0;
    for (int line = 0; line < 5; ++line) {
        header = listing.find('\n', header) + 1;
    }
    MemorySink text;
    text.write(std::span(listing.data(), header));
    TextWriter writer(text);
    MemorySource input(std::as_bytes(std::span(listing)));
    ListingReader reader(input, "BOARD.dat");
    while (const ListedColumns* read = reader.next()) {
        ListedColumns columns = *read;
        if (columns.step == step) {
            edit(columns);
        }
        writeListedStep(columns, writer);
    }
    writer.flush();
    return text.text();
}

struct TunedResult {
    int status = 0;
    std::string out;
    std::string err;
};

TunedResult convertTuned(const std::filesystem::path& folder, const std::filesystem::path& base,
                         const std::filesystem::path& revision,
                         const std::filesystem::path& outputParent, DecodeOptions options = {},
                         cli::ReportFormat report = cli::ReportFormat::None,
                         std::optional<std::filesystem::path> page = std::nullopt) {
    cli::TunedRequest request;
    request.conversion.settings = {.options = options, .at = kAt};
    request.conversion.timeGiven = true;
    request.conversion.report = report;
    request.conversion.outputParent = outputParent;
    request.conversion.inputs = {revision};
    request.conversion.htmlPage = std::move(page);
    request.folder = folder;
    request.base = base;
    request.variantGiven = options.variant == TesterVariant::Kx740e;
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::convertTuned(request, systemFileSystem(), out, err);
    return {status, out.str(), err.str()};
}

std::string summaryLine(const std::filesystem::path& revision, const std::string& counts) {
    return "zemra-convert: " + cli::consoleEscapedName(revision) + ": " + counts + "\n";
}

void expectConversionOf(const std::filesystem::path& outputs, const std::string& title,
                        const testing::ConvertedBoard& expected) {
    EXPECT_EQ(readFile(outputs / (title + ".dat")), expected.listing);
    EXPECT_EQ(readFile(outputs / (title + ".icn")), expected.icn);
    EXPECT_EQ(readFile(outputs / (title + ".icp")), expected.icp);
    EXPECT_EQ(readFile(outputs / (title + ".scp")), expected.scp);
}

std::string bytesOf(const std::vector<std::byte>& generated) {
    return {reinterpret_cast<const char*>(generated.data()), generated.size()};
}

class UntunedFolder : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(UntunedFolder, GivesTheConversionOfTheNewRevision) {
    const testing::TempFolder folder;
    const std::string old = bytesOf(generateBoard(GetParam(), 300));
    // The new revision: the old one with records taken out and others put in.
    std::string revised =
        old.substr(0, 64 * 100) + bytesOf(generateBoard(GetParam() + 1, 40)) + old.substr(64 * 130);
    writeFile(folder / "OLD.cmp", old);
    writeFile(folder / "NEW.cmp", revised);
    for (const TesterVariant variant : {TesterVariant::Kx740FeFr, TesterVariant::Kx740e}) {
        for (const bool reversePins : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "KX740E " << (variant == TesterVariant::Kx740e)
                                              << ", reverse " << reversePins);
            const DecodeOptions options{variant, reversePins};
            const std::filesystem::path tester =
                writeConversion(folder / "tester", "OLD", old, options);
            std::filesystem::create_directories(folder / "out");
            const TunedResult result = convertTuned(tester, folder / "OLD.cmp", folder / "NEW.cmp",
                                                    folder / "out", options);
            EXPECT_EQ(result.status, kExitClean) << result.err;
            EXPECT_EQ(result.out, cli::consoleEscapedName(folder / "out" / "NEW") + "\n");
            EXPECT_TRUE(
                result.err.ends_with(summaryLine(folder / "NEW.cmp",
                                                 "0 tuned columns of 0 steps carried, 0 conflicts "
                                                 "kept the new value, 0 tuned steps dropped")))
                << result.err;
            expectConversionOf(folder / "out" / "NEW", "NEW",
                               testing::convertInMemory(revised, options, "NEW", kAt));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Boards, UntunedFolder, ::testing::Values(1, 7, 2026));

class TwoIcBoardTuned : public ::testing::Test {
  protected:
    void SetUp() override {
        writeFile(folder / "BOARD.cmp", testing::twoIcBoard());
        tester = writeConversion(folder.path(), "BOARD", testing::twoIcBoard(), {});
        std::filesystem::create_directories(folder / "out");
    }

    testing::TempFolder folder;
    std::filesystem::path tester;
};

TEST_F(TwoIcBoardTuned, CarriesTheTunedColumnAndReportsIt) {
    const std::string listing = readFile(tester / "BOARD.dat");
    writeFile(tester / "BOARD.dat", editedListing(listing, 1, [](ListedColumns& columns) {
                  columns.avge = 10;
                  columns.upperLimit = 7;
              }));
    const TunedResult result = convertTuned(tester, folder / "BOARD.cmp", folder / "BOARD.cmp",
                                            folder / "out", {}, cli::ReportFormat::Json);
    ASSERT_EQ(result.status, kExitClean) << result.err;
    EXPECT_EQ(result.out,
              cli::consoleEscapedName(folder / "out" / "BOARD") + "\n" +
                  "{\"tuning\":\"carried\",\"partName\":\"R1\",\"oldStep\":1,\"newStep\":1,"
                  "\"tunedStep\":1,\"column\":\"+Lm%\",\"base\":\"5\",\"tuned\":\"7\",\"new\":"
                  "\"5\"}\n"
                  "{\"tuning\":\"carried\",\"partName\":\"R1\",\"oldStep\":1,\"newStep\":1,"
                  "\"tunedStep\":1,\"column\":\"AVGE\",\"base\":\"0\",\"tuned\":\"10\",\"new\":"
                  "\"0\"}\n");
    EXPECT_TRUE(
        result.err.ends_with(summaryLine(folder / "BOARD.cmp",
                                         "2 tuned columns of 1 steps carried, 0 conflicts kept "
                                         "the new value, 0 tuned steps dropped")))
        << result.err;
    testing::ConvertedBoard expected =
        testing::convertInMemory(testing::twoIcBoard(), {}, "BOARD", kAt);
    expected.listing = readFile(tester / "BOARD.dat");
    expectConversionOf(folder / "out" / "BOARD", "BOARD", expected);
}

TEST_F(TwoIcBoardTuned, ReportsConflictsAndDropsForPeople) {
    std::string revised = testing::twoIcBoard();
    revised[12] = 9;            // R1's upper limit
    revised.erase(8 * 64, 64);  // C1
    writeFile(folder / "NEW.cmp", revised);
    const std::string listing = readFile(tester / "BOARD.dat");
    std::string tuned = editedListing(listing, 1, [](ListedColumns& columns) {
        columns.upperLimit = 7;
        columns.avge = 4;
    });
    tuned = editedListing(tuned, 9, [](ListedColumns& columns) { columns.avge = 10; });
    writeFile(tester / "BOARD.dat", tuned);
    const TunedResult result = convertTuned(tester, folder / "BOARD.cmp", folder / "NEW.cmp",
                                            folder / "out", {}, cli::ReportFormat::Text);
    ASSERT_EQ(result.status, kExitClean) << result.err;
    EXPECT_EQ(result.out,
              cli::consoleEscapedName(folder / "out" / "NEW") + "\n" +
                  "conflict R1 +Lm%: kept the new 9 (old 5, tester 7; new step 1, old step 1, "
                  "tester step 1)\n"
                  "carried R1 AVGE: 4 (old and new 0; new step 1, old step 1, tester step 1)\n"
                  "dropped C1 AVGE: tester 10 (old 0; the new revision lacks the step; old step "
                  "9, tester step 9)\n");
    EXPECT_TRUE(
        result.err.ends_with(summaryLine(folder / "NEW.cmp",
                                         "1 tuned columns of 1 steps carried, 1 conflicts kept "
                                         "the new value, 1 tuned steps dropped")))
        << result.err;
}

TEST_F(TwoIcBoardTuned, ChangedPinFilesAreReportedAndNotCarried) {
    std::string icp = readFile(tester / "BOARD.icp");
    icp.replace(icp.find("ICP /    1 =   33 0"), 19, "ICP /    1 =   34 0");
    writeFile(tester / "BOARD.icp", icp);
    const TunedResult result =
        convertTuned(tester, folder / "BOARD.cmp", folder / "BOARD.cmp", folder / "out");
    EXPECT_EQ(result.status, kExitClean) << result.err;
    EXPECT_NE(result.err.find("its .icp is not what"), std::string::npos) << result.err;
    expectConversionOf(folder / "out" / "BOARD", "BOARD",
                       testing::convertInMemory(testing::twoIcBoard(), {}, "BOARD", kAt));
}

TEST_F(TwoIcBoardTuned, AListingThatCannotBeReadLeavesNothingWritten) {
    std::string listing = readFile(tester / "BOARD.dat");
    listing.replace(listing.find(" R1 "), 4, " R1 x");
    writeFile(tester / "BOARD.dat", listing);
    const TunedResult result =
        convertTuned(tester, folder / "BOARD.cmp", folder / "BOARD.cmp", folder / "out", {},
                     cli::ReportFormat::None, folder / "page.html");
    EXPECT_EQ(result.status, kExitFailed);
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(std::filesystem::exists(folder / "page.html"));
    EXPECT_NE(result.err.find("not converted"), std::string::npos) << result.err;
    EXPECT_TRUE(std::filesystem::is_empty(folder / "out"));
}

// The folder and the old revision are read side by side: where both fail, the folder's failure
// is the one reported, as when the folder was read first.
TEST_F(TwoIcBoardTuned, AListingThatCannotBeReadIsReportedBeforeAMissingBase) {
    std::string listing = readFile(tester / "BOARD.dat");
    listing.replace(listing.find(" R1 "), 4, " R1 x");
    writeFile(tester / "BOARD.dat", listing);
    const TunedResult result = convertTuned(tester, folder / "MISSING.cmp", folder / "BOARD.cmp",
                                            folder / "out", {}, cli::ReportFormat::None, {});
    EXPECT_EQ(result.status, kExitFailed);
    EXPECT_NE(result.err.find("BOARD.dat, line"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("MISSING.cmp"), std::string::npos) << result.err;
}

TEST_F(TwoIcBoardTuned, AFolderForAnotherTesterIsRefused) {
    const TunedResult result = convertTuned(tester, folder / "BOARD.cmp", folder / "BOARD.cmp",
                                            folder / "out", {.variant = TesterVariant::Kx740e});
    EXPECT_EQ(result.status, kExitFailed);
    EXPECT_NE(result.err.find("not the KX740E of --kx740e"), std::string::npos) << result.err;
    EXPECT_TRUE(std::filesystem::is_empty(folder / "out"));
}

// The old revision tuned on the tester at steps 1 and 9, and a new one that changed R1's upper
// limit and lost C1: a conflict, a carried column and a drop.
class TwoIcBoardRevised : public TwoIcBoardTuned {
  protected:
    void SetUp() override {
        TwoIcBoardTuned::SetUp();
        std::string revised = testing::twoIcBoard();
        revised[12] = 9;            // R1's upper limit
        revised.erase(8 * 64, 64);  // C1
        writeFile(folder / "NEW.cmp", revised);
        std::string tuned =
            editedListing(readFile(tester / "BOARD.dat"), 1, [](ListedColumns& columns) {
                columns.upperLimit = 7;
                columns.avge = 4;
            });
        tuned = editedListing(tuned, 9, [](ListedColumns& columns) { columns.avge = 10; });
        writeFile(tester / "BOARD.dat", tuned);
    }
};

TEST_F(TwoIcBoardRevised, PageShowsEachRowOfTheReportWithItsStepLinked) {
    const TunedResult result =
        convertTuned(tester, folder / "BOARD.cmp", folder / "NEW.cmp", folder / "out", {},
                     cli::ReportFormat::Json, folder / "page.html");
    ASSERT_EQ(result.status, kExitClean) << result.err;
    EXPECT_TRUE(result.out.ends_with("}\n" + cli::consoleEscapedName(folder / "page.html") + "\n"))
        << result.out;
    const std::string page = readFile(folder / "page.html");
    for (const char* part :
         {"<h3 id=\"b1-tuning-heading\">Tuning carried from the tester</h3><p "
          "class=\"tuning-summary\">1 tuned columns of 1 steps carried, 1 conflicts kept the new "
          "value, 1 tuned steps dropped.</p>",
          "<tr class=\"conflict\"><td>conflict: the new value kept</td><td>R1</td><td "
          "class=\"number\"><a href=\"#b1-r0\">1</a></td><td class=\"number\">1</td><td "
          "class=\"number\">1</td><td>+Lm%</td><td class=\"number\">5</td><td "
          "class=\"number\">7</td><td class=\"number\">9</td></tr>",
          "<tr class=\"carried\"><td>carried</td><td>R1</td><td class=\"number\"><a "
          "href=\"#b1-r0\">1</a></td>",
          "<tr class=\"dropped\"><td>dropped: the new revision lacks the step</td><td>C1</td><td "
          "class=\"number\"></td><td class=\"number\">9</td><td class=\"number\">9</td>"
          "<td>AVGE</td><td class=\"number\">0</td><td class=\"number\">10</td><td "
          "class=\"number\"></td></tr>",
          // The steps table shows the step with the value carried into the listing.
          "<tr id=\"b1-r0\" class=\"step\">"}) {
        EXPECT_NE(page.find(part), std::string::npos) << part;
    }
    // The section comes after the checks and before the IC pin maps.
    EXPECT_LT(page.find("id=\"b1-checks-heading\""), page.find("id=\"b1-tuning-heading\""));
    EXPECT_LT(page.find("id=\"b1-tuning-heading\""), page.find("id=\"b1-ics-heading\""));
}

TEST_F(TwoIcBoardRevised, PageIsNeverWrittenOverAFileTheCallRead) {
    for (const std::filesystem::path& read :
         {tester / "BOARD.dat", tester / "BOARD.scp", folder / "BOARD.cmp", folder / "NEW.cmp"}) {
        SCOPED_TRACE(read.filename().string());
        const std::string before = readFile(read);
        std::filesystem::remove_all(folder / "out");
        std::filesystem::create_directories(folder / "out");
        const TunedResult result = convertTuned(tester, folder / "BOARD.cmp", folder / "NEW.cmp",
                                                folder / "out", {}, cli::ReportFormat::None, read);
        EXPECT_EQ(result.status, kExitFailed);
        EXPECT_NE(result.err.find("the page was not written"), std::string::npos) << result.err;
        EXPECT_EQ(readFile(read), before);
        // The conversion itself stands: the page is written after it.
        EXPECT_TRUE(std::filesystem::exists(folder / "out" / "NEW" / "NEW.dat"));
    }
}

}  // namespace
}  // namespace zemra
