// zemra-convert --report and --dump as a script reads them, and the escaping of raw name bytes.
#include <gtest/gtest.h>

#include <sstream>

#include "behaviour_name.h"
#include "escaped_text.h"
#include "golden_boards.h"
#include "in_memory_conversion.h"
#include "platform/utf8_paths.h"
#include "process_runner.h"
#include "record_builder.h"
#include "record_dump.h"
#include "temp_folder.h"

namespace zemra {
namespace {

using testing::readFile;
using testing::writeFile;

using Result = testing::ProgramResult;

class ZemraConvertReport : public ::testing::Test {
  protected:
    Result run(const std::string& arguments) {
        return testing::runProgram(ZEMRA_CONVERT_PATH, arguments, folder.path());
    }

    testing::TempFolder folder;
};

// The two-IC board: U1's J steps pair into ten pins beyond its 8, U1 pin 7 and U2 pin 8 have
// neither a diode nor a J pin (the golden .icp lines 7 and 16 read 0).
TEST_F(ZemraConvertReport, JsonLineAgreesWithThePinFiles) {
    writeFile(folder / "twoics.cmp", testing::twoIcBoard());
    const Result result = run("--report=json -o . twoics.cmp missing.cmp");
    EXPECT_EQ(result.exitStatus, 1);
    const std::string converted = result.out.substr(0, result.out.find('\n'));
    const std::size_t checks = converted.find(",\"checks\":[");
    ASSERT_NE(checks, std::string::npos);
    EXPECT_EQ(converted.substr(0, checks),
              "{\"input\":\"twoics.cmp\",\"outputFolder\":\"" +
                  cli::jsonEscapedPath(platform::utf8Of(std::filesystem::path(".") / "twoics")) +
                  "\",\"clean\":true,"
                  "\"records\":30,\"ignoredBytes\":0,\"steps\":29,\"skippedSteps\":1,"
                  "\"droppedRecords\":1,\"ignoredJPins\":10,\"ics\":["
                  "{\"name\":\"U1\",\"lc\":\"D1\",\"pinCount\":8,\"firstIcp\":1,"
                  "\"pinsFromDiodeSteps\":6,\"pinsFromJSteps\":1,\"unresolvedPins\":[7]},"
                  "{\"name\":\"U2\",\"lc\":\"E2\",\"pinCount\":13,\"firstIcp\":9,"
                  "\"pinsFromDiodeSteps\":11,\"pinsFromJSteps\":1,\"unresolvedPins\":[8]}]");
    EXPECT_TRUE(converted.ends_with("],\"checksNotListed\":{}}")) << converted;
    EXPECT_EQ(result.out.substr(converted.size() + 1),
              "{\"input\":\"missing.cmp\",\"outputFolder\":null,\"clean\":false,\"records\":null,"
              "\"ignoredBytes\":null,\"steps\":null,\"skippedSteps\":null,"
              "\"droppedRecords\":null,\"ignoredJPins\":null,\"ics\":null,\"checks\":null,"
              "\"checksNotListed\":null}\n");
}

TEST_F(ZemraConvertReport, TextReportTakesThePlaceOfTheFolderLine) {
    writeFile(folder / "twoics.cmp", testing::twoIcBoard());
    const Result result = run("--report -o . twoics.cmp");
    EXPECT_EQ(result.exitStatus, 0);
    // The checks follow the IC lines.
    const std::size_t checks = result.out.find("\n  warning duplicate-part-name") + 1;
    EXPECT_EQ(
        result.out.substr(0, checks),
        "twoics.cmp: 30 records, 0 bytes ignored, 29 steps (1 \"*\" steps), 1 records "
        "dropped, 2 ICs, 10 J pins ignored; outputs in " +
            platform::utf8Of(std::filesystem::path(".") / "twoics") +
            "\n"
            "  U1 (LC D1): 8 pins from ICP 1, 7 resolved (6 from diode steps, 1 from J steps), "
            "1 unresolved: 7/7\n"
            "  U2 (LC E2): 13 pins from ICP 9, 12 resolved (11 from diode steps, 1 from J "
            "steps), 1 unresolved: 8/16\n");
    // The report changes no byte of the outputs.
    const std::string listing = readFile(folder / "twoics" / "twoics.icp");
    ASSERT_EQ(run("-o . twoics.cmp").exitStatus, 0);
    EXPECT_EQ(readFile(folder / "twoics" / "twoics.icp"), listing);
}

TEST_F(ZemraConvertReport, TextReportListsTenUnresolvedPinsAndCountsTheRest) {
    std::vector<RecordBuilder> records;
    for (const int pin : {1, 30}) {
        records.push_back(
            RecordBuilder().name("U1_" + std::to_string(pin)).typeCode(10).pins(100 + pin, 1));
    }
    for (int copy = 0; copy < 6; ++copy) {
        records.push_back(RecordBuilder().name("U1_1").typeCode(12).pins(9, 9));
    }
    writeFile(folder / "gaps.cmp", testing::recordsOf(records));
    const Result result = run("--report -o . gaps.cmp");
    EXPECT_NE(result.out.find("28 unresolved: 2/2 3/3 4/4 5/5 6/6 7/7 8/8 9/9 10/10 11/11 … and "
                              "18 more\n"),
              std::string::npos)
        << result.out;
}

TEST_F(ZemraConvertReport, DumpIsCsvThatGivesBackEveryByte) {
    RecordBuilder odd;
    odd.name("R\"1,\n\xff").lc("A").byteAt(40, 0xF5).pins(4095, 1).typeCode(-1).skip();
    const std::vector<RecordBuilder> records{RecordBuilder().name("R1").actual(470, 0x15), odd,
                                             RecordBuilder().skip(), RecordBuilder()};
    const std::string bytes = testing::recordsOf(records);
    writeFile(folder / "odd.cmp", bytes + "xyz");
    const Result result = run("--dump odd.cmp");
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err,
              "zemra-convert: odd.cmp: the last 3 bytes are no whole record and have no row\n");
    const auto rows = testing::linesOf(result.out);
    ASSERT_EQ(rows.size(), 5U);
    EXPECT_TRUE(rows[0].starts_with("offset,partName,lc,skip,"));
    EXPECT_TRUE(rows[0].ends_with(",became,raw"));
    EXPECT_TRUE(rows[2].starts_with("64,\"R\"\"1,\\u000A\\u00FF\",\"A\",1,"));
    EXPECT_NE(rows[2].find(",-1,0x00,0,4095,1,0,0,0,0,1280,2,"), std::string::npos) << rows[2];
    for (std::size_t row = 1; row < rows.size(); ++row) {
        const std::string raw = rows[row].substr(rows[row].rfind(',') + 1);
        std::string recordBytes;
        for (std::size_t digit = 0; digit + 1 < raw.size(); digit += 2) {
            recordBytes += static_cast<char>(std::stoi(raw.substr(digit, 2), nullptr, 16));
        }
        EXPECT_EQ(recordBytes, bytes.substr((row - 1) * 64, 64)) << row;
    }
    EXPECT_TRUE(rows[3].ends_with(",*," + rows[3].substr(rows[3].rfind(',') + 1)));
    EXPECT_NE(rows[4].find(",dropped,"), std::string::npos);
    EXPECT_EQ(testing::entriesOf(folder.path()), (std::vector<std::string>{"odd.cmp"}));
}

TEST_F(ZemraConvertReport, DumpTakesOneFileAndConvertsNothing) {
    writeFile(folder / "a.cmp", "");
    EXPECT_EQ(run("--dump a.cmp a.cmp").exitStatus, 2);
    const Result missing = run("--dump missing.cmp");
    EXPECT_EQ(missing.exitStatus, 1);
    EXPECT_EQ(missing.err,
              "zemra-convert: missing.cmp: 파일이 존재하지 않습니다. (no such file)\n");
    EXPECT_EQ(run("--report=yaml a.cmp").exitStatus, 2);
}

TEST(EscapedText, RawBytesAndFileNames) {
    EXPECT_EQ(cli::textEscapedName("U1 ~"), "U1 ~");
    EXPECT_EQ(cli::textEscapedName("a\"b\\c"), "a\\\"b\\\\c");
    EXPECT_EQ(cli::textEscapedName("\n\x7f\x80\xff"), "\\u000A\\u007F\\u0080\\u00FF");
    EXPECT_EQ(cli::textEscapedBytes("a\"\t"), "a\"\\u0009");
    EXPECT_EQ(cli::jsonEscapedPath("보드 7/\"x\"\t"), "보드 7/\\\"x\\\"\\u0009");
    // Bytes that are no UTF-8: a lone continuation byte, an overlong form, a cut sequence.
    EXPECT_EQ(cli::jsonEscapedPath("\x80\xc0\xaf\xe4\xbd"), "\\u0080\\u00C0\\u00AF\\u00E4\\u00BD");
}

struct ShownCase {
    const char* behaviour;
    std::string text;
    std::string shown;

    friend void PrintTo(const ShownCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

class ShownTextCases : public ::testing::TestWithParam<ShownCase> {};

TEST_P(ShownTextCases, TakeOneLine) {
    EXPECT_EQ(cli::consoleEscapedText(GetParam().text), GetParam().shown);
}

constexpr bool kBackslashSeparatesFolders = std::filesystem::path::preferred_separator == '\\';

INSTANTIATE_TEST_SUITE_P(
    EscapedText, ShownTextCases,
    ::testing::Values(
        ShownCase{"PlainNameStaysAsItIs", "boards/B 7.cmp", "boards/B 7.cmp"},
        ShownCase{"KoreanStaysAsItIs", "시험 폴더/보드 7.cmp", "시험 폴더/보드 7.cmp"},
        ShownCase{"LineBreaksAndTabsAreLetters", "a\nb\rc\td", "a\\nb\\rc\\td"},
        ShownCase{"OtherControlsAreHex", std::string("\x1b[2J\x7f\x01\0z", 8),
                  "\\x1b[2J\\x7f\\x01\\x00z"},
        ShownCase{"C1ControlsAreHexPerByte", "a\xc2\x85\xc2\x9b\xc2\xa0",
                  "a\\xc2\\x85\\xc2\\x9b\xc2\xa0"},
        ShownCase{"BytesThatAreNoUtf8AreHex", "\xff\xe4\xbd.cmp", "\\xff\\xe4\\xbd.cmp"},
        ShownCase{"LineAndParagraphSeparatorsAreEscaped", "a\u2028b\u2029c", "a\\u2028b\\u2029c"},
        ShownCase{"BidirectionalControlsAreEscaped",
                  "\u202A\u202B\u202C\u202D\u202E\u2066\u2067\u2068\u2069",
                  "\\u202A\\u202B\\u202C\\u202D\\u202E\\u2066\\u2067\\u2068\\u2069"},
        ShownCase{"NeighboursOfTheControlsStay", "\u2027\u202F\u2065\u206A",
                  "\u2027\u202F\u2065\u206A"},
        ShownCase{"BackslashIsDoubledWhereItIsNoSeparator", "a\\n",
                  kBackslashSeparatesFolders ? "a\\n" : "a\\\\n"}),
    testing::BehaviourName());

// The part names of the dump with their escapes undone: \\ is a backslash, \u00XX a byte.
std::vector<std::string> dumpedNames(const std::string& csv) {
    std::vector<std::string> names;
    for (const std::string& row : testing::linesOf(csv)) {
        const std::size_t start = row.find(",\"") + 2;
        const std::string shown = row.substr(start, row.find("\",", start) - start);
        std::string name;
        for (std::size_t at = 0; at < shown.size(); ++at) {
            if (shown[at] != '\\') {
                name += shown[at];
            } else if (shown[at + 1] == '\\') {
                name += '\\';
                ++at;
            } else {
                name += static_cast<char>(std::stoi(shown.substr(at + 4, 2), nullptr, 16));
                at += 5;
            }
        }
        names.push_back(name);
    }
    return names;
}

TEST(RecordDump, NamesReadBackToTheRecordsBytes) {
    const std::vector<std::string> names{"A\\u00FF", "A\xff", "\\\\", "C:\\x", "a\tb"};
    std::vector<RecordBuilder> records;
    for (const std::string& name : names) {
        records.push_back(RecordBuilder().name(name.c_str()).lc("A"));
    }
    const std::string bytes = testing::recordsOf(records);
    MemorySource input(std::as_bytes(std::span(bytes)));
    std::ostringstream out;
    cli::writeRecordDump(input, out);
    std::vector<std::string> dumped = dumpedNames(out.str());
    dumped.erase(dumped.begin());
    EXPECT_EQ(dumped, names) << out.str();
    EXPECT_NE(out.str().find("\"A\\\\u00FF\",\"A\""), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\"A\\u00FF\",\"A\""), std::string::npos) << out.str();
}

TEST(RecordDump, AnyBytesAreRecords) {
    std::string bytes(64 * 3 + 5, '\0');
    for (std::size_t index = 0; index < bytes.size(); ++index) {
        bytes[index] = static_cast<char>(index * 37 + 11);
    }
    MemorySource input(std::as_bytes(std::span(bytes)));
    std::ostringstream out;
    EXPECT_EQ(cli::writeRecordDump(input, out), 5U);
    EXPECT_EQ(testing::linesOf(out.str()).size(), 4U);
}

}  // namespace
}  // namespace zemra
