// What zemra-convert never does to a file it did not write, as real processes: it replaces no
// input, output, component file, folder, FIFO, device or other file with a page or a workbook;
// it leaves no temporary outside the folder it writes into, and what a killed run leaves the next
// run removes; it removes no file of a live run, even one reached by another path to the folder.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/types.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "behaviour_name.h"
#include "board_generator.h"
#include "files/run_file_names.h"
#include "golden_boards.h"
#include "process_runner.h"
#include "temp_folder.h"

namespace zemra {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::StartedProgram;
using testing::TempFolder;
using testing::writeFile;
using Result = testing::ProgramResult;

const fs::path kConvert = ZEMRA_CONVERT_PATH;
constexpr const char* kAt = "--at 2002-03-06T15:01:33 ";

std::string boardBytes(std::uint64_t seed, std::size_t records) {
    const auto board = generateBoard(seed, records);
    return {reinterpret_cast<const char*>(board.data()), board.size()};
}

// What `path` names, to tell that a refused name was left as it was: its kind and, for a file,
// its bytes.
std::string stateOf(const fs::path& path) {
    const fs::file_status status = fs::symlink_status(path);
    switch (status.type()) {
        case fs::file_type::regular:
            return "file: " + readFile(path);
        case fs::file_type::directory:
            return "folder";
        case fs::file_type::fifo:
            return "fifo";
        case fs::file_type::character:
            return "device";
        default:
            return "other";
    }
}

std::vector<std::string> runFilesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const std::string& name : testing::entriesOf(folder)) {
        if (isRunFileName(RunFileKind::Temporary, name) ||
            isRunFileName(RunFileKind::Backup, name)) {
            names.push_back(name);
        }
    }
    return names;
}

struct RefusalCase {
    const char* behaviour;
    std::string page;       // the name given to --html
    std::string arguments;  // the rest of the command line
    bool writtenByTheRun;   // an output of the run, which the run itself replaces
    int exitStatus;
    std::string reason;

    // Test listings name a case by its behaviour, not by its bytes.
    friend void PrintTo(const RefusalCase& refusal, std::ostream* out) {
        *out << refusal.behaviour;
    }
};

class PageRefusals : public ::testing::TestWithParam<RefusalCase> {
  protected:
    TempFolder folder;
};

TEST_P(PageRefusals, LeaveTheFileAsItWasAndSayWhy) {
    const RefusalCase& refusal = GetParam();
    writeFile(folder / "x.cmp", testing::twoIcBoard());
    writeFile(folder / "y.cmp", testing::twoIcBoard());
    writeFile(folder / "z.cmp", boardBytes(5, 20));
    writeFile(folder / "mine.html", "<!DOCTYPE html>\n<html lang=\"en\"><head>my page");
    fs::create_directories(folder / "y");
    writeFile(folder / "y" / "y.dat", "older listing");
    fs::create_directory(folder / "folder.html");
    ASSERT_EQ(mkfifo((folder / "fifo.html").c_str(), 0666), 0);
    if (mknod((folder / "null.html").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0 &&
        refusal.page == "null.html") {
        GTEST_SKIP() << "making a device needs root";
    }
    const std::string before = stateOf(folder / refusal.page);

    const Result result = testing::runProgram(
        "/usr/bin/timeout",
        "60 '" + kConvert.string() + "' --html " + refusal.page + " " + refusal.arguments,
        folder.path());
    EXPECT_EQ(result.exitStatus, refusal.exitStatus) << result.err;
    EXPECT_NE(result.err.find("zemra-convert: " + refusal.page + ": the page was not written (" +
                              refusal.reason + ")\n"),
              std::string::npos)
        << result.err;
    if (refusal.writtenByTheRun) {
        const std::string after = stateOf(folder / refusal.page);
        EXPECT_TRUE(after.starts_with("file: ") && !after.starts_with("file: <!DOCTYPE")) << after;
    } else {
        EXPECT_EQ(stateOf(folder / refusal.page), before);
    }
    EXPECT_EQ(runFilesIn(folder.path()), std::vector<std::string>{});
}

const std::string kNotOurs = "is a file that zemra did not write";
const std::string kAtArgument = kAt;

INSTANTIATE_TEST_SUITE_P(
    Html, PageRefusals,
    ::testing::Values(
        RefusalCase{"AComponentFile", "x.cmp", kAtArgument + "y.cmp", false, 1, kNotOurs},
        RefusalCase{"AnInput", "y.cmp", kAtArgument + "y.cmp", false, 1,
                    "would replace the input file"},
        RefusalCase{"AnOutputOfTheRun", "y/y.dat", kAtArgument + "-o . y.cmp", true, 1, kNotOurs},
        RefusalCase{"TheOlderRevisionOfADiff", "x.cmp", "--diff x.cmp z.cmp", false, 2,
                    "would replace the input file"},
        RefusalCase{"TheNewerRevisionOfADiff", "z.cmp", "--diff x.cmp z.cmp", false, 2,
                    "would replace the input file"},
        RefusalCase{"APageOfTheUsers", "mine.html", kAtArgument + "y.cmp", false, 1, kNotOurs},
        RefusalCase{"AFolder", "folder.html", kAtArgument + "y.cmp", false, 1,
                    "is a folder, not a file"},
        RefusalCase{"AFifo", "fifo.html", kAtArgument + "y.cmp", false, 1, "is not a regular file"},
        RefusalCase{"ADevice", "null.html", kAtArgument + "y.cmp", false, 1,
                    "is not a regular file"}),
    testing::BehaviourName());

TEST(Page, ReplacesAPageZemraWroteAndTakesAnyNameTheSystemAllows) {
    TempFolder folder;
    writeFile(folder / "x.cmp", testing::twoIcBoard());
    writeFile(folder / "z.cmp", boardBytes(5, 20));
    // The longest name a file may have here, and 250 bytes, ten short of it once the old
    // temporaries' dot and eight hex digits were added.
    for (const std::size_t length : {250U, 255U}) {
        const std::string page = std::string(length - 5, 'p') + ".html";
        for (const char* input : {"x.cmp", "z.cmp"}) {
            const Result result = testing::runProgram(
                kConvert, std::string(kAt) + "--html " + page + " " + input, folder.path());
            EXPECT_EQ(result.exitStatus, 0) << result.err;
            EXPECT_TRUE(result.out.ends_with(page + "\n")) << result.out;
            EXPECT_NE(readFile(folder / page).find(input), std::string::npos) << input;
        }
        EXPECT_EQ(runFilesIn(folder.path()), std::vector<std::string>{});
    }
}

TEST(Workbook, RefusesToReplaceAFileItDidNotWrite) {
    TempFolder folder;
    writeFile(folder / "B.cmp", boardBytes(5, 20));
    for (const char* other : {"my sums", "PK\x03\x04 not a workbook"}) {
        writeFile(folder / "B.xlsx", other);
        const Result result = testing::runProgram(kConvert, "--dump=xlsx B.cmp", folder.path());
        EXPECT_EQ(result.exitStatus, 1);
        EXPECT_TRUE(result.err.starts_with("zemra-convert: B.cmp: the workbook was not written: "))
            << result.err;
        EXPECT_TRUE(result.err.ends_with("B.xlsx: " + kNotOurs + "\n")) << result.err;
        EXPECT_EQ(readFile(folder / "B.xlsx"), other);
    }
    fs::remove(folder / "B.xlsx");
    ASSERT_EQ(mkfifo((folder / "B.xlsx").c_str(), 0666), 0);
    const Result fifo = testing::runProgram(
        "/usr/bin/timeout", "60 '" + kConvert.string() + "' --dump=xlsx B.cmp", folder.path());
    EXPECT_EQ(fifo.exitStatus, 1) << fifo.err;
    EXPECT_TRUE(fs::is_fifo(folder / "B.xlsx"));
    EXPECT_EQ(testing::entriesOf(folder.path()), (std::vector<std::string>{"B.cmp", "B.xlsx"}));
}

// Waits until a run writing into `folder` has a temporary there.
bool waitForTemporary(const fs::path& folder, std::uintmax_t size) {
    for (int attempt = 0; attempt < 30000; ++attempt) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            if (isRunFileName(RunFileKind::Temporary, entry.path().filename().string()) &&
                entry.file_size(error) >= size) {
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

TEST(Workbook, KilledLeavesNothingOutsideItsFolderAndTheNextRunRemovesWhatItLeft) {
    TempFolder folder;
    fs::create_directories(folder / "tmp");
    fs::create_directories(folder / "out");
    writeFile(folder / "B.cmp", boardBytes(7, 400000));
    writeFile(folder / "out" / ".zt-1-0123456789abcdef", "the user's");
    StartedProgram killed("/usr/bin/env",
                          "TMPDIR=" + (folder / "tmp").string() + " '" + kConvert.string() +
                              "' --dump=xlsx -o out B.cmp",
                          folder.path());
    ASSERT_TRUE(waitForTemporary(folder / "out", 0));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    killed.kill();
    killed.wait();
    EXPECT_TRUE(fs::is_empty(folder / "tmp"));
    EXPECT_FALSE(runFilesIn(folder / "out").empty());

    writeFile(folder / "B.cmp", boardBytes(7, 20));
    const Result next = testing::runProgram(kConvert, "--dump=xlsx -o out B.cmp", folder.path());
    EXPECT_EQ(next.exitStatus, 0) << next.err;
    EXPECT_EQ(testing::entriesOf(folder / "out"),
              (std::vector<std::string>{".zt-1-0123456789abcdef", "B.xlsx"}));
}

// A run on a FUSE view of a folder and a run on its real path: the locks of the two do not meet,
// and only the process itself tells that the first run is alive.
TEST(TwoPathsToOneFolder, RunOnOneKeepsTheLiveTemporariesOfARunOnTheOther) {
    TempFolder folder;
    fs::create_directories(folder / "real");
    fs::create_directories(folder / "view");
    if (geteuid() != 0 ||
        testing::runProgram("/usr/bin/bindfs", "real view", folder.path()).exitStatus != 0) {
        GTEST_SKIP() << "bindfs cannot mount here";
    }
    struct Unmount {
        fs::path view;
        ~Unmount() { testing::runProgram("/bin/fusermount", "-u view", view.parent_path()); }
    } unmount{folder / "view"};
    writeFile(folder / "slow.cmp", testing::longIcpBoard(999999));
    fs::create_directories(folder / "other");
    writeFile(folder / "other" / "slow.cmp", boardBytes(3, 50));

    StartedProgram paused(kConvert, std::string(kAt) + "-o view slow.cmp", folder.path());
    struct Resume {
        pid_t process;
        ~Resume() { kill(process, SIGCONT); }
    } resume{static_cast<pid_t>(paused.id())};
    ASSERT_TRUE(waitForTemporary(folder / "real" / "slow", 1000000));
    kill(static_cast<pid_t>(paused.id()), SIGSTOP);
    const std::vector<std::string> temporaries = runFilesIn(folder / "real" / "slow");
    ASSERT_EQ(temporaries.size(), 4U);

    const Result other =
        testing::runProgram(kConvert, std::string(kAt) + "-o ../real slow.cmp", folder / "other");
    EXPECT_EQ(other.exitStatus, 0) << other.err;
    for (const std::string& temporary : temporaries) {
        EXPECT_TRUE(fs::exists(folder / "real" / "slow" / temporary)) << temporary;
    }

    kill(static_cast<pid_t>(paused.id()), SIGCONT);
    const Result resumed = paused.wait();
    EXPECT_EQ(resumed.exitStatus, 0) << resumed.err;
    EXPECT_EQ(testing::entriesOf(folder / "real" / "slow"),
              (std::vector<std::string>{"slow.dat", "slow.icn", "slow.icp", "slow.scp"}));
}

}  // namespace
}  // namespace zemra
