// zemra-convert runs that meet in one output folder, as real processes: two scripts converting two
// boards of one title into one folder at once, a run killed half-way, a run paused for a long
// time, a folder that another run keeps. Each ends with one run's whole set and nothing else.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "board_generator.h"
#include "files/file_system.h"
#include "golden_boards.h"
#include "process_runner.h"
#include "temp_folder.h"

#ifndef _WIN32
#include <signal.h>
#endif

namespace zemra {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::StartedProgram;
using testing::TempFolder;
using testing::writeFile;

const fs::path kConvert = ZEMRA_CONVERT_PATH;
const std::string kAt = "--at 2002-03-06T15:01:33 ";

// Two runs started together also move their files in at nearly the same moment: before runs took
// turns on the folder, about one pair in a hundred ended with a mixed set.
constexpr int kPairs = 40;

std::string boardBytes(std::uint64_t seed, std::size_t records) {
    const auto board = generateBoard(seed, records);
    return {reinterpret_cast<const char*>(board.data()), board.size()};
}

// An .icp of 23 MB, long enough to write to stop a run in the middle of it.
std::string slowBoard() {
    return testing::longIcpBoard(999999);
}

bool isTemporary(const fs::path& path) {
    return path.filename().string().starts_with(".zt-");
}

// Waits until a run writing into `outputs` has written a megabyte into one of its temporaries:
// past the making of its temporaries, and far from moving them into place.
bool waitUntilWriting(const fs::path& outputs) {
    for (int attempt = 0; attempt < 30000; ++attempt) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(outputs, error)) {
            if (isTemporary(entry.path()) && entry.file_size(error) > 1000000) {
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

class RunsInOneFolder : public ::testing::Test {
  protected:
    // The four outputs of `title` in `outputs`, with their bytes.
    static std::vector<std::string> setIn(const fs::path& outputs, const std::string& title) {
        std::vector<std::string> set;
        for (const char* extension : {".dat", ".icn", ".icp", ".scp"}) {
            set.push_back(readFile(outputs / (title + extension)));
        }
        return set;
    }

    // The outputs of the component file `input` converted alone, into a folder of their own.
    std::vector<std::string> setOf(const std::string& input, const std::string& title) {
        const fs::path alone = folder / ("alone-" + std::to_string(++converted_));
        fs::create_directories(alone);
        EXPECT_EQ(
            testing::runProgram(kConvert, kAt + "-o " + alone.string() + " " + input, folder.path())
                .exitStatus,
            0);
        return setIn(alone / title, title);
    }

    // Two inputs of one title, a/<title>.cmp and b/<title>.cmp, and the folder out/ for both.
    void writeTwoInputs(const std::string& title, const std::string& first,
                        const std::string& second) {
        for (const auto& [from, bytes] : {std::pair{"a", first}, std::pair{"b", second}}) {
            fs::create_directories(folder / from);
            writeFile(folder / from / (title + ".cmp"), bytes);
        }
        fs::create_directories(folder / "out");
    }

    TempFolder folder;

  private:
    int converted_ = 0;
};

TEST_F(RunsInOneFolder, PairsOfRunsAtOnceEachLeaveOneWholeSet) {
    writeTwoInputs("X", boardBytes(1, 300), boardBytes(2, 400));
    const std::vector<std::string> first = setOf("a/X.cmp", "X");
    const std::vector<std::string> second = setOf("b/X.cmp", "X");
    for (std::size_t output = 0; output < first.size(); ++output) {
        ASSERT_NE(first[output], second[output]) << "output " << output << " tells no run apart";
    }
    int mixed = 0;
    for (int pair = 0; pair < kPairs; ++pair) {
        StartedProgram runA(kConvert, kAt + "-o out a/X.cmp", folder.path());
        StartedProgram runB(kConvert, kAt + "-o out b/X.cmp", folder.path());
        for (const testing::ProgramResult& result : {runA.wait(), runB.wait()}) {
            EXPECT_EQ(result.exitStatus, 0) << result.err;
        }
        const std::vector<std::string> set = setIn(folder / "out" / "X", "X");
        mixed += set == first || set == second ? 0 : 1;
        EXPECT_EQ(testing::entriesOf(folder / "out" / "X"),
                  (std::vector<std::string>{"X.dat", "X.icn", "X.icp", "X.scp"}));
    }
    EXPECT_EQ(mixed, 0) << "of " << kPairs << " pairs";
}

TEST_F(RunsInOneFolder, RunKilledHalfWayLeavesNothingThatTheNextRunKeeps) {
    fs::create_directories(folder / "next");
    writeFile(folder / "slow.cmp", slowBoard());
    writeFile(folder / "next" / "slow.cmp", boardBytes(3, 50));
    // The user's own files, one named as the temporaries of earlier versions and two hours old.
    fs::create_directories(folder / "slow");
    writeFile(folder / "slow" / ".zt00000000", "the user's");
    writeFile(folder / "slow" / "notes.txt", "the user's");
    fs::last_write_time(folder / "slow" / ".zt00000000",
                        fs::file_time_type::clock::now() - std::chrono::hours(2));

    StartedProgram killed(kConvert, "-o . slow.cmp", folder.path());
    ASSERT_TRUE(waitUntilWriting(folder / "slow"));
    killed.kill();
    killed.wait();
    ASSERT_EQ(testing::entriesOf(folder / "slow").size(), 6U) << "four temporaries, two files";

    const testing::ProgramResult next =
        testing::runProgram(kConvert, "-o .. slow.cmp", folder / "next");
    EXPECT_EQ(next.exitStatus, 0) << next.err;
    EXPECT_EQ(testing::entriesOf(folder / "slow"),
              (std::vector<std::string>{".zt00000000", "notes.txt", "slow.dat", "slow.icn",
                                        "slow.icp", "slow.scp"}));
    EXPECT_EQ(readFile(folder / "slow" / ".zt00000000"), "the user's");
}

TEST_F(RunsInOneFolder, FolderKeptByAnotherRunFailsClearlyAfterTheWait) {
    writeFile(folder / "X.cmp", boardBytes(1, 50));
    fs::create_directories(folder / "out" / "X");
    writeFile(folder / "out" / "X" / "X.dat", "older listing");
    auto otherRun = systemFileSystem().tryLockFolder(folder / "out" / "X");
    ASSERT_NE(otherRun, nullptr);
    const testing::ProgramResult result =
        StartedProgram(kConvert, "-o out X.cmp", folder.path(), {"ZEMRA_FOLDER_WAIT=1"}).wait();
    otherRun.reset();
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "zemra-convert: X.cmp: DAT 파일이 생성되지 않습니다. (the output folder is in use "
              "by another conversion)\n");
    EXPECT_EQ(testing::entriesOf(folder / "out" / "X"), (std::vector<std::string>{"X.dat"}));
    EXPECT_EQ(readFile(folder / "out" / "X" / "X.dat"), "older listing");
}

#ifdef _WIN32
// The lock file of a run that the power cut off is the next run's to take and delete; a file of the
// user's of that name is left as it is, and the run converts all the same.
TEST_F(RunsInOneFolder, LockFileLeftByAPowerCutIsTakenOverAndAFileOfTheUsersKept) {
    writeFile(folder / "X.cmp", boardBytes(1, 50));
    fs::create_directories(folder / "X");
    for (const auto& [lockFile, kept] :
         {std::pair<std::string, bool>{"zemra: a conversion is writing into this folder\r\n",
                                       false},
          std::pair<std::string, bool>{"the user's notes", true}}) {
        writeFile(folder / "X" / ".zemra-lock", lockFile);
        const testing::ProgramResult result = testing::runProgram(kConvert, "X.cmp", folder.path());
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        EXPECT_EQ(fs::exists(folder / "X" / ".zemra-lock"), kept) << lockFile;
        EXPECT_EQ(fs::exists(folder / "X" / "X.dat"), true);
    }
    EXPECT_EQ(readFile(folder / "X" / ".zemra-lock"), "the user's notes");
}
#else
// A run stopped for a quarter of an hour (a laptop lid, a debugger) while another converts into its
// folder, the second run seeing the clock 15 minutes on: neither takes the other's files for
// leftovers, each says it converted only with its own set in place, and the last one's set stays.
TEST_F(RunsInOneFolder, RunPausedWhileAnotherConvertsKeepsItsTemporariesAndEndsWithItsSet) {
    if (testing::runProgram("/bin/sh", "-c 'command -v faketime'", folder.path()).exitStatus != 0) {
        GTEST_SKIP() << "faketime is not installed";
    }
    writeTwoInputs("slow", slowBoard(), boardBytes(4, 100));
    const std::vector<std::string> setOfA = setOf("a/slow.cmp", "slow");
    const std::vector<std::string> setOfB = setOf("b/slow.cmp", "slow");
    const fs::path outputs = folder / "out" / "slow";

    StartedProgram paused(kConvert, kAt + "-o out a/slow.cmp", folder.path());
    ASSERT_TRUE(waitUntilWriting(outputs));
    kill(static_cast<pid_t>(paused.id()), SIGSTOP);
    std::vector<std::string> temporaries;
    for (const auto& entry : fs::directory_iterator(outputs)) {
        temporaries.push_back(entry.path().filename().string());
    }
    ASSERT_EQ(temporaries.size(), 4U);

    // faketime's library goes before any other, which a build with AddressSanitizer must allow.
    const testing::ProgramResult later = testing::runProgram(
        "/usr/bin/env",
        "NO_FAKE_STAT=1 ASAN_OPTIONS=verify_asan_link_order=0 faketime -f +15m '" +
            kConvert.string() + "' " + kAt + "-o out b/slow.cmp",
        folder.path());
    EXPECT_EQ(later.exitStatus, 0) << later.err;
    // The sets are compared whole; the first one's .icp is too long to show.
    EXPECT_TRUE(setIn(outputs, "slow") == setOfB) << "not the later run's set";
    for (const std::string& temporary : temporaries) {
        EXPECT_TRUE(fs::exists(outputs / temporary)) << temporary;
    }

    kill(static_cast<pid_t>(paused.id()), SIGCONT);
    const testing::ProgramResult resumed = paused.wait();
    EXPECT_EQ(resumed.exitStatus, 0) << resumed.err;
    EXPECT_TRUE(setIn(outputs, "slow") == setOfA) << "not the resumed run's set";
    EXPECT_EQ(testing::entriesOf(outputs),
              (std::vector<std::string>{"slow.dat", "slow.icn", "slow.icp", "slow.scp"}));
}
#endif

}  // namespace
}  // namespace zemra
