// zemra-convert --dump=xlsx writes its workbook all or nothing: an older workbook of the name
// stays whole until the new one is complete, and a failure leaves nothing of the run behind.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "behaviour_name.h"
#include "faulty_file_system.h"
#include "in_memory_conversion.h"
#include "platform/utf8_paths.h"
#include "process_runner.h"
#include "record_builder.h"
#include "record_workbook.h"
#include "temp_folder.h"
#include "workbook_dump.h"

namespace zemra {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::writeFile;

constexpr const char* kZipSignature = "PK\x03\x04";

template <class Set>
testing::Faults faultsWhere(Set set) {
    testing::Faults faults;
    set(faults);
    return faults;
}

std::string board() {
    return testing::recordsOf(
        {RecordBuilder().name("R1").actual(470, 0x15), RecordBuilder().name("=1+1").lc("=1")});
}

class WorkbookDump : public ::testing::Test {
  protected:
    struct Result {
        int exitStatus;
        std::string out;
        std::string err;
    };

    Result dump(testing::Faults faults, const std::optional<fs::path>& outputParent = {}) {
        testing::FaultyFileSystem fileSystem(std::move(faults));
        std::ostringstream out;
        std::ostringstream err;
        const int status = cli::dumpWorkbook(folder / "B.cmp", outputParent, fileSystem, out, err);
        return {status, out.str(), err.str()};
    }

    // A workbook of the first record only, which an earlier dump wrote: the bytes it holds.
    std::string writeOlderWorkbook() {
        writeFile(folder / "B.cmp", board().substr(0, 64));
        EXPECT_EQ(dump({}).exitStatus, 0);
        writeFile(folder / "B.cmp", board());
        return readFile(folder / "B.xlsx");
    }

    testing::TempFolder folder;
};

TEST_F(WorkbookDump, WorkbookLiesBesideTheInputAndReplacesAnOlderOne) {
    const std::string older = writeOlderWorkbook();
    const Result result = dump({});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, platform::utf8Of(folder / "B.xlsx") + "\n");
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(readFile(folder / "B.xlsx").starts_with(kZipSignature));
    EXPECT_NE(readFile(folder / "B.xlsx"), older);
    EXPECT_EQ(testing::entriesOf(folder.path()), (std::vector<std::string>{"B.cmp", "B.xlsx"}));
}

struct WorkbookFault {
    const char* behaviour;
    testing::Faults faults;
    std::string why;

    friend void PrintTo(const WorkbookFault& fault, std::ostream* out) { *out << fault.behaviour; }
};

class WorkbookFaults : public WorkbookDump, public ::testing::WithParamInterface<WorkbookFault> {};

// The first file a dump creates is the library's own, the second the workbook's temporary name.
TEST_P(WorkbookFaults, KeepTheOlderWorkbookAndLeaveNothingBehind) {
    const std::string older = writeOlderWorkbook();
    const Result result = dump(GetParam().faults);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(
        result.err.starts_with("zemra-convert: " + platform::utf8Of(folder / "B.cmp") + ": "))
        << result.err;
    EXPECT_TRUE(result.err.ends_with(GetParam().why + "\n")) << result.err;
    EXPECT_EQ(readFile(folder / "B.xlsx"), older);
    EXPECT_EQ(testing::entriesOf(folder.path()), (std::vector<std::string>{"B.cmp", "B.xlsx"}));
}

INSTANTIATE_TEST_SUITE_P(
    WorkbookDump, WorkbookFaults,
    ::testing::Values(
        WorkbookFault{"FullDisk", faultsWhere([](testing::Faults& faults) {
                          faults.writeFailsIn = 1;
                          faults.writeFailsAfter = 100;
                      }),
                      ": " + std::make_error_code(std::errc::no_space_on_device).message()},
        WorkbookFault{"FailedFlushToDisk",
                      faultsWhere([](testing::Faults& faults) { faults.finishFailsIn = 1; }),
                      ": " + std::make_error_code(std::errc::io_error).message()},
        WorkbookFault{"FailedMove", faultsWhere([](testing::Faults& faults) {
                          faults.renameFailsInto = "B.xlsx";
                      }),
                      ": " + std::make_error_code(std::errc::io_error).message()},
        WorkbookFault{"UnreadableInput",
                      faultsWhere([](testing::Faults& faults) { faults.readFailsAfter = 64; }),
                      "파일을 읽을 수 없습니다. (" +
                          std::make_error_code(std::errc::io_error).message() + ")"}),
    testing::BehaviourName());

TEST_F(WorkbookDump, InputThatTheWorkbookWouldReplaceIsRefused) {
    writeFile(folder / "B.xlsx", board());
    testing::FaultyFileSystem fileSystem({});
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(cli::dumpWorkbook(folder / "B.xlsx", std::nullopt, fileSystem, out, err), 1);
    EXPECT_TRUE(err.str().ends_with(": would replace the input file\n")) << err.str();
    EXPECT_EQ(readFile(folder / "B.xlsx"), board());
    EXPECT_EQ(testing::entriesOf(folder.path()), (std::vector<std::string>{"B.xlsx"}));
}

TEST_F(WorkbookDump, ProgramPrintsThePathOfTheWorkbookInTheOutputFolder) {
    writeFile(folder / "B.cmp", board() + "xyz");
    fs::create_directory(folder / "out");
    const auto result =
        testing::runProgram(ZEMRA_CONVERT_PATH, "-o out --dump=xlsx B.cmp", folder.path());
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, platform::utf8Of(fs::path("out") / "B.xlsx") + "\n");
    EXPECT_EQ(result.err,
              "zemra-convert: B.cmp: the last 3 bytes are no whole record and have no row\n");
    EXPECT_TRUE(readFile(folder / "out" / "B.xlsx").starts_with(kZipSignature));
    EXPECT_EQ(testing::entriesOf(folder / "out"), (std::vector<std::string>{"B.xlsx"}));
}

// The count of records is known from the size: a file of too many is refused before a byte of
// it is read, here from a file whose every read fails.
TEST_F(WorkbookDump, FileOfMoreRecordsThanRowsIsRefusedBeforeAnyWork) {
    { std::ofstream(folder / "B.cmp").close(); }
    fs::resize_file(folder / "B.cmp", std::uint64_t{64} * cli::RecordWorkbook::kRowLimit + 63);
    const Result result =
        dump(faultsWhere([](testing::Faults& faults) { faults.readFailsAfter = 0; }));
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, "zemra-convert: " + platform::utf8Of(folder / "B.cmp") +
                              ": the workbook was not written: the file holds 1048576 records, "
                              "and a worksheet holds 1048575 records at most\n");
    EXPECT_EQ(testing::entriesOf(folder.path()), (std::vector<std::string>{"B.cmp"}));
}

struct CellCase {
    const char* behaviour;
    std::string text;
    std::string cell;

    friend void PrintTo(const CellCase& testCase, std::ostream* out) { *out << testCase.behaviour; }
};

class CellTexts : public ::testing::TestWithParam<CellCase> {};

TEST_P(CellTexts, ReadBackAsTheyAre) {
    EXPECT_EQ(cli::cellText(GetParam().text), GetParam().cell);
}

INSTANTIATE_TEST_SUITE_P(
    RecordWorkbook, CellTexts,
    ::testing::Values(
        CellCase{"PlainTextStays", "R1_2 x", "R1_2 x"},
        CellCase{"EscapeOfACarriageReturn", "A_x000D_", "A_x005F_x000D_"},
        CellCase{"EscapeOfTheUnderscore", "B_x005F_", "B_x005F_x005F_"},
        CellCase{"LowerCaseHex", "_xabcd_", "_x005F_xabcd_"},
        CellCase{"EscapesOneAfterTheOther", "_x0000__x0041_", "_x005F_x0000__x005F_x0041_"},
        CellCase{"NoEscapeWithoutFourHexDigits", "_x00G0_ _x000_ _x0000", "_x00G0_ _x000_ _x0000"}),
    testing::BehaviourName());

TEST(RecordWorkbook, RowBeyondTheWorksheetsLastIsRefused) {
    const testing::TempFolder folder;
    cli::RecordWorkbook workbook(folder / "rows.xlsx", folder.path());
    const std::vector<zemra::DumpField> row{{zemra::DumpField::Kind::Number, 1, {}}};
    for (std::uint32_t count = 0; count < cli::RecordWorkbook::kRowLimit; ++count) {
        workbook.writeRow(row);
    }
    try {
        workbook.writeRow(row);
        ADD_FAILURE() << "row " << cli::RecordWorkbook::kRowLimit + 1 << " was taken";
    } catch (const cli::WorkbookError& error) {
        EXPECT_STREQ(error.what(), "a worksheet holds 1048575 records at most");
    }
}

}  // namespace
}  // namespace zemra
