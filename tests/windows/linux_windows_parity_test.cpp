// The Windows build's zemra-convert.exe, run under wine, against this build's zemra-convert: the
// same arguments in two copies of one folder give the same exit status, the same messages, the
// same printed folders (but for separators and drive) and the same bytes in every file. Needs
// the Windows build, named by ZEMRA_WINDOWS_BUILD; `make test-windows` runs it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "behaviour_name.h"
#include "board_generator.h"
#include "golden_boards.h"
#include "process_runner.h"
#include "temp_folder.h"

namespace zemra {
namespace {

using testing::ProgramResult;
using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

constexpr const char* kAt = "--at 2002-03-06T15:01:33 ";
constexpr std::uint64_t kGeneratedBoards = 300;

// Every file and folder under `folder` by its path relative to it, files with their bytes.
using Tree = std::map<std::string, std::string>;

Tree treeOf(const std::filesystem::path& folder) {
    Tree tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().lexically_relative(folder).generic_string();
        tree[entry.is_directory() ? name + "/" : name] =
            entry.is_directory() ? "" : readFile(entry.path());
    }
    return tree;
}

std::string firstDifference(const Tree& linux, const Tree& windows) {
    for (const auto& [name, bytes] : linux) {
        const auto found = windows.find(name);
        if (found == windows.end()) {
            return name + " is missing from the Windows outputs";
        }
        if (found->second != bytes) {
            const auto [linuxAt, windowsAt] = std::mismatch(
                bytes.begin(), bytes.end(), found->second.begin(), found->second.end());
            return name + " differs from byte " + std::to_string(linuxAt - bytes.begin()) + ": \"" +
                   std::string(linuxAt, std::min(linuxAt + 40, bytes.end())) + "\" on Linux, \"" +
                   std::string(windowsAt, std::min(windowsAt + 40, found->second.end())) +
                   "\" on Windows";
        }
    }
    for (const auto& entry : windows) {
        if (!linux.contains(entry.first)) {
            return entry.first + " is only in the Windows outputs";
        }
    }
    return "";
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// Output of either build with the run's folder as "<folder>" and '/' as the separator; under
// wine, the build machine's root is drive Z:, and the current drive when the run's folder is.
// '\' separates one system's paths and escapes JSON's texts on both, so every '\', and every
// escaped one, reads as '/' on both sides.
std::string withoutFolder(std::string text, const std::filesystem::path& folder, bool windows) {
    if (!windows) {
        replaceAll(text, folder.string(), "<folder>");
    }
    replaceAll(text, "\\\\", "/");
    replaceAll(text, "\\", "/");
    if (windows) {
        replaceAll(text, "Z:" + folder.generic_string(), "<folder>");
        replaceAll(text, folder.generic_string(), "<folder>");
    }
    return text;
}

// A page names the output folders as its system writes paths, in its text and as JSON; with '/'
// for every '\' the pages of the two systems are the same.
Tree withSlashesInPages(Tree tree) {
    for (auto& [name, bytes] : tree) {
        if (name.ends_with(".html")) {
            replaceAll(bytes, "\\\\", "/");
            replaceAll(bytes, "\\", "/");
        }
    }
    return tree;
}

class LinuxAndWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* build = std::getenv("ZEMRA_WINDOWS_BUILD");
        ASSERT_NE(build, nullptr) << "ZEMRA_WINDOWS_BUILD names no Windows build";
        windowsBuild_ = std::filesystem::absolute(build);
        ASSERT_TRUE(std::filesystem::is_regular_file(windowsBuild_ / "cli/zemra-convert.exe"))
            << windowsBuild_;
    }

    // Writes the same file into both folders.
    void writeBoth(const std::string& name, const std::string& bytes) {
        for (const TempFolder* folder : {&linuxFolder_, &windowsFolder_}) {
            std::filesystem::create_directories((folder->path() / name).parent_path());
            writeFile(folder->path() / name, bytes);
        }
    }

    void makeFolderInBoth(const std::string& name) {
        std::filesystem::create_directories(linuxFolder_ / name);
        std::filesystem::create_directories(windowsFolder_ / name);
    }

    // Runs both builds with `arguments`, in which "<folder>" stands for the build's own folder
    // as an absolute path of this system, and expects the same of them, down to the last byte of
    // every file in their folders.
    void expectTheSame(const std::string& arguments) {
        expectTheSameRun(arguments);
        linuxTree_ = treeOf(linuxFolder_.path());
        EXPECT_EQ(firstDifference(withSlashesInPages(linuxTree_),
                                  withSlashesInPages(treeOf(windowsFolder_.path()))),
                  "");
    }

    // The same exit status, messages and printed paths of both builds.
    void expectTheSameRun(const std::string& arguments) {
        const ProgramResult linux = testing::runProgram(
            ZEMRA_CONVERT_PATH, withFolder(arguments, linuxFolder_), linuxFolder_.path());
        const ProgramResult windows =
            testing::runProgram(ZEMRA_RUN_UNDER_WINE,
                                "'" + (windowsBuild_ / "wine-prefix").string() + "' '" +
                                    (windowsBuild_ / "cli/zemra-convert.exe").string() + "' " +
                                    withFolder(arguments, windowsFolder_),
                                windowsFolder_.path());
        EXPECT_EQ(windows.exitStatus, linux.exitStatus);
        EXPECT_EQ(withoutFolder(windows.out, windowsFolder_.path(), true),
                  withoutFolder(linux.out, linuxFolder_.path(), false));
        EXPECT_EQ(withoutFolder(windows.err, windowsFolder_.path(), true),
                  withoutFolder(linux.err, linuxFolder_.path(), false));
    }

    TempFolder linuxFolder_;
    TempFolder windowsFolder_;
    Tree linuxTree_;

  private:
    static std::string withFolder(std::string arguments, const TempFolder& folder) {
        replaceAll(arguments, "<folder>", folder.path().string());
        return arguments;
    }

    std::filesystem::path windowsBuild_;
};

std::string bytesOf(const std::vector<std::byte>& board) {
    return std::string(reinterpret_cast<const char*>(board.data()), board.size());
}

struct OptionCase {
    const char* behaviour;
    const char* options;

    friend void PrintTo(const OptionCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

class EveryBoard : public LinuxAndWindows, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(EveryBoard, GivesTheSameOutputsOnBothSystems) {
    std::string names = "twoics.cmp backward.cmp BOARD7.cmp";
    writeBoth("twoics.cmp", testing::twoIcBoard());
    writeBoth("backward.cmp", testing::backwardDiodeBoard());
    writeBoth("BOARD7.cmp", readFile(std::filesystem::path(ZEMRA_EXAMPLES_DIR) / "BOARD7.cmp"));
    for (std::uint64_t seed = 1; seed <= kGeneratedBoards; ++seed) {
        // From empty boards to a few thousand records.
        const std::size_t records = seed % 50 == 0 ? 4000 : (seed * 7919) % 600;
        const std::string name = "generated" + std::to_string(seed) + ".cmp";
        writeBoth(name, bytesOf(generateBoard(seed, records)));
        names += " " + name;
    }
    makeFolderInBoth("out");
    expectTheSame(std::string(kAt) + GetParam().options + " -o out " + names);
    EXPECT_EQ(std::count_if(linuxTree_.begin(), linuxTree_.end(),
                            [](const auto& entry) { return entry.first.ends_with(".icp"); }),
              kGeneratedBoards + 3);
}

INSTANTIATE_TEST_SUITE_P(
    Options, EveryBoard,
    ::testing::Values(OptionCase{"Kx740FeFr", ""}, OptionCase{"Kx740e", "--kx740e"},
                      OptionCase{"Kx740FeFrReversePins", "--reverse-pins"},
                      OptionCase{"Kx740eReversePins", "--kx740e --reverse-pins"}),
    testing::BehaviourName());

struct RunCase {
    const char* behaviour;
    std::vector<std::string> boards;   // files holding the two-IC board
    std::vector<std::string> folders;  // made before the run
    const char* arguments;

    friend void PrintTo(const RunCase& testCase, std::ostream* out) { *out << testCase.behaviour; }
};

class CommandLineRun : public LinuxAndWindows, public ::testing::WithParamInterface<RunCase> {};

TEST_P(CommandLineRun, BehavesAlikeAndWritesTheSame) {
    for (const std::string& board : GetParam().boards) {
        writeBoth(board, testing::twoIcBoard());
    }
    for (const std::string& folder : GetParam().folders) {
        makeFolderInBoth(folder);
    }
    expectTheSame(std::string(kAt) + GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineRun,
    ::testing::Values(
        RunCase{"MissingInput", {}, {}, "missing.cmp"},
        RunCase{"FolderAsInput", {}, {"folder.cmp"}, "folder.cmp"},
        RunCase{"OutputThatCannotBeCreated", {"a.cmp"}, {"a/a.scp"}, "a.cmp"},
        RunCase{"OutputFolderThatDoesNotExist", {"a.cmp"}, {}, "-o nowhere a.cmp"},
        RunCase{"OutputThatWouldBeTheInput", {"a/a.dat"}, {}, "-o . a/a.dat"},
        RunCase{"UsageError", {"a.cmp"}, {}, "--frobnicate a.cmp"},
        RunCase{"OneMissingAmongOthers", {"a.cmp", "b.cmp"}, {}, "a.cmp missing.cmp b.cmp"},
        RunCase{"KoreanNames", {"시험 폴더/보드 7.cmp"}, {}, "'시험 폴더/보드 7.cmp'"},
        RunCase{"ReportAndPage",
                {"a.cmp", "시험 폴더/보드 7.cmp"},
                {"out"},
                "--report --html out/page.html -o out a.cmp missing.cmp '시험 폴더/보드 7.cmp'"},
        // Under wine, "/tmp/..." is a path on the current drive, Z:, which holds the whole system.
        RunCase{"AbsolutePathIsAFileNotAnOption", {"a.cmp"}, {}, "'<folder>/a.cmp'"}),
    testing::BehaviourName());

// --diff ends alike and prints the same changes, of files with Korean names too, and writes the
// same page.
TEST_F(LinuxAndWindows, DiffComparesAlike) {
    const std::filesystem::path examples(ZEMRA_EXAMPLES_DIR);
    writeBoth("BOARD7.cmp", readFile(examples / "BOARD7.cmp"));
    writeBoth("시험 폴더/보드 7 rev2.cmp", readFile(examples / "BOARD7-rev2.cmp"));
    expectTheSameRun("--diff --report=json BOARD7.cmp '시험 폴더/보드 7 rev2.cmp'");
    expectTheSameRun("--diff BOARD7.cmp BOARD7.cmp");
    expectTheSameRun("--diff BOARD7.cmp missing.cmp");
    expectTheSame("--diff --html diff.html BOARD7.cmp '시험 폴더/보드 7 rev2.cmp'");
}

// A workbook records when it was made; its worksheet, which holds the rows, is the same.
TEST_F(LinuxAndWindows, WorkbookHoldsTheSameWorksheet) {
    writeBoth("BOARD7.cmp", readFile(std::filesystem::path(ZEMRA_EXAMPLES_DIR) / "BOARD7.cmp"));
    expectTheSameRun("--dump=xlsx BOARD7.cmp");
    std::vector<std::string> sheets;
    for (const TempFolder* folder : {&linuxFolder_, &windowsFolder_}) {
        const ProgramResult sheet =
            testing::runProgram("unzip", "-p BOARD7.xlsx xl/worksheets/sheet1.xml", folder->path());
        ASSERT_EQ(sheet.exitStatus, 0) << sheet.err;
        sheets.push_back(sheet.out);
    }
    EXPECT_NE(sheets[0].find("<sheetData>"), std::string::npos);
    EXPECT_EQ(sheets[1], sheets[0]);
}

}  // namespace
}  // namespace zemra
