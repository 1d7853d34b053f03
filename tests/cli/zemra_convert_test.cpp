// zemra-convert as a script sees it: arguments, output files, standard output, messages and
// exit status.
#include <gtest/gtest.h>

#include "golden_boards.h"
#include "platform/utf8_paths.h"
#include "process_runner.h"
#include "record_builder.h"
#include "temp_folder.h"

namespace zemra {
namespace {

using Result = testing::ProgramResult;
using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

class ZemraConvert : public ::testing::Test {
  protected:
    Result run(const std::string& arguments) {
        return testing::runProgram(ZEMRA_CONVERT_PATH, arguments, folder.path());
    }

    void expectGolden(const std::filesystem::path& outputs, const std::string& golden,
                      const std::string& title = "twoics") {
        for (const char* extension : {".dat", ".icn", ".icp", ".scp"}) {
            EXPECT_EQ(
                readFile(outputs / (title + extension)),
                readFile(std::filesystem::path(ZEMRA_GOLDEN_DIR) / golden / (title + extension)))
                << golden << extension;
        }
    }

    TempFolder folder;
};

TEST_F(ZemraConvert, TwoIcBoardMatchesTheGoldenFilesUnderBothVariants) {
    writeFile(folder / "twoics.cmp", testing::twoIcBoard());
    Result result = run("--at 2002-03-06T15:01:33 twoics.cmp");
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, (folder / "twoics").string() + "\n");
    EXPECT_EQ(result.err, "zemra-convert: twoics.cmp: 변환을 마쳤습니다\n");
    expectGolden(folder / "twoics", "two-ics-fefr");

    std::filesystem::create_directory(folder / "out");
    result = run("--kx740e --reverse-pins --at=2002-03-06T15:01:33 -o out twoics.cmp");
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, (std::filesystem::path("out") / "twoics").string() + "\n");
    expectGolden(folder / "out" / "twoics", "two-ics-kx740e-reverse");
}

// Written with Hi on the ground, the diode steps meet the common pin only when reversed.
TEST_F(ZemraConvert, BackwardDiodeBoardMatchesItsGoldenFilesUnderKx740eWithReversePins) {
    writeFile(folder / "backward.cmp", testing::backwardDiodeBoard());
    const Result result = run("--kx740e --reverse-pins --at 2002-03-06T15:01:33 backward.cmp");
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    expectGolden(folder / "backward", "backward-ics-kx740e-reverse", "backward");
}

// Also run against the optimised build: listing values must not depend on compiler flags.
TEST_F(ZemraConvert, ExampleBoardMatchesItsGoldenFiles) {
    const Result result = run("--at 2002-03-06T15:01:33 -o . '" ZEMRA_EXAMPLES_DIR "/BOARD7.cmp'");
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    expectGolden(folder / "BOARD7", "board7-fefr", "BOARD7");
}

// Names outside the ANSI code page of a Windows PC: arguments, paths and printed folders are
// Unicode, and the listing names the board in UTF-8 on every system.
TEST_F(ZemraConvert, KoreanFileAndFolderNamesConvert) {
    using platform::pathFromUtf8;
    const auto boards = folder.path() / pathFromUtf8("시험 폴더");
    std::filesystem::create_directories(boards);
    std::filesystem::create_directories(folder.path() / pathFromUtf8("출력"));
    writeFile(boards / pathFromUtf8("보드 7.cmp"), testing::twoIcBoard());
    Result result = run("--at 2002-03-06T15:01:33 '시험 폴더/보드 7.cmp'");
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    const auto outputs = boards / pathFromUtf8("보드 7");
    EXPECT_EQ(result.out, platform::utf8Of(outputs) + "\n");
    EXPECT_EQ(result.err, "zemra-convert: 시험 폴더/보드 7.cmp: 변환을 마쳤습니다\n");
    for (const char* extension : {".dat", ".icn", ".icp", ".scp"}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(
            outputs / pathFromUtf8(std::string("보드 7") + extension)))
            << extension;
    }
    EXPECT_TRUE(readFile(outputs / pathFromUtf8("보드 7.dat"))
                    .starts_with("! File Name: 보드 7.dat Test Data Listing"));

    result = run("--at 2002-03-06T15:01:33 -o 출력 '시험 폴더/보드 7.cmp'");
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, platform::utf8Of(pathFromUtf8("출력") / pathFromUtf8("보드 7")) + "\n");
    EXPECT_EQ(readFile(folder.path() / pathFromUtf8("출력/보드 7/보드 7.icp")),
              readFile(outputs / pathFromUtf8("보드 7.icp")));
}

TEST_F(ZemraConvert, SeveralFilesConvertEvenWhenOneIsMissing) {
    writeFile(folder / "a.cmp", "");
    writeFile(folder / "b.cmp", testing::twoIcBoard());
    const Result result = run("a.cmp missing.cmp b.cmp");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, (folder / "a").string() + "\n" + (folder / "b").string() + "\n");
    EXPECT_NE(result.err.find("missing.cmp: 파일이 존재하지 않습니다. (no such file)\n"),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(folder / "b" / "b.icp"));
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

TEST_F(ZemraConvert, OutputThatCannotBeWrittenFailsTheRun) {
    writeFile(folder / "a.cmp", "");
    std::filesystem::create_directories(folder / "a" / "a.scp");
    const Result result = run("a.cmp");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err,
              "zemra-convert: a.cmp: SCP 파일이 생성되지 않습니다. (is a folder, not a file)\n");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(testing::entriesOf(folder / "a"), (std::vector<std::string>{"a.scp"}));
}

TEST_F(ZemraConvert, MissingOutputFolderIsAnError) {
    writeFile(folder / "a.cmp", "");
    const Result result = run("-o nowhere a.cmp");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_NE(result.err.find("nowhere"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder / "a"));
}

TEST_F(ZemraConvert, UsageErrorsExitWithTwoAndConvertNothing) {
    writeFile(folder / "a.cmp", "");
    for (const char* arguments :
         {"", "--frobnicate a.cmp", "--at 2002-13-01T00:00:00 a.cmp", "--at a.cmp", "a.cmp -o"}) {
        const Result result = run(arguments);
        EXPECT_EQ(result.exitStatus, 2) << arguments;
        EXPECT_NE(result.err.find("--help"), std::string::npos) << arguments;
        EXPECT_TRUE(result.out.empty()) << arguments;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "a"));
}

// Every option as it is typed, and every exit status at the head of its line.
TEST_F(ZemraConvert, HelpAndVersion) {
    const Result help = run("--help");
    EXPECT_EQ(help.exitStatus, 0);
    for (const char* text :
         {"\n  --kx740e ", "\n  --reverse-pins ", "\n  --at YYYY-MM-DDTHH:MM:SS\n",
          "\n  -o,--output DIR ", "\n  --report[=json] ", "\n  --dump[=xlsx] FILE ",
          "\n  -h,--help ", "\n  --version ", "\nExit status:\n", "\n  0 ", "\n  1 ", "\n  2 ",
          "\n  129 ", "\n  130, 143 "}) {
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
    }
    const Result version = run("--version");
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, "zemra-convert 1.0.0.1\n");
}

// The very same path spelt another way: relative or absolute, with "." parts, and on Windows
// with '/' for '\\'.
TEST_F(ZemraConvert, SamePathGivenTwiceIsConvertedOnce) {
    writeFile(folder / "a.cmp", testing::twoIcBoard());
    const Result result = run("a.cmp ./a.cmp '" + (folder / "." / "a.cmp").generic_string() + "'");
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, platform::utf8Of(folder / "a") + "\n");
}

TEST_F(ZemraConvert, DoubleDashEndsTheOptions) {
    writeFile(folder / "-odd.cmp", "");
    const Result result = run("-- -odd.cmp");
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_TRUE(std::filesystem::exists(folder / "-odd" / "-odd.dat"));
}

}  // namespace
}  // namespace zemra
