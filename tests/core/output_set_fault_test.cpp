// A run that fails anywhere leaves the input as it was and the older outputs all intact, or, when
// it gets through, replaces all four: never a mixed set, never a temporary file left behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <functional>
#include <thread>

#include "behaviour_name.h"
#include "board_generator.h"
#include "faulty_file_system.h"
#include "file_conversion.h"
#include "files/interruptible_file_system.h"
#include "files/run_file_names.h"
#include "in_memory_conversion.h"
#include "run/folder_wait.h"
#include "run/output_set.h"
#include "temp_folder.h"

namespace zemra {
namespace {

using testing::Faults;
using testing::readFile;
using testing::TempFolder;

constexpr std::array<const char*, 4> kExtensions{".dat", ".icn", ".icp", ".scp"};
const LocalDateTime kAt{2002, 3, 6, 15, 1, 33};

enum class Afterwards { OlderSet, NewSet, Nothing };

struct FaultCase {
    const char* behaviour;
    Faults faults;
    bool olderSet;  // a complete set of an earlier run is there
    std::vector<MessageKind> messages;
    std::optional<FailureReason> reason;  // of the first message
    std::optional<std::errc> error;       // of the first message
    Afterwards afterwards;

    // Test listings name a case by its behaviour, not by its bytes.
    friend void PrintTo(const FaultCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

std::string fingerprintOf(const std::string& bytes) {
    return std::to_string(bytes.size()) + " bytes, hash " +
           std::to_string(std::hash<std::string>{}(bytes));
}

std::string bytesOf(const std::vector<std::byte>& board) {
    return {reinterpret_cast<const char*>(board.data()), board.size()};
}

// The four outputs, each as its size and a hash of its bytes, or "missing": short enough to
// read in a failure.
std::vector<std::string> outputsIn(const std::filesystem::path& folder) {
    std::vector<std::string> outputs;
    for (const char* extension : kExtensions) {
        const std::filesystem::path path = folder / (std::string("BOARD") + extension);
        outputs.push_back(std::filesystem::exists(path) ? fingerprintOf(readFile(path))
                                                        : "missing");
    }
    return outputs;
}

class OutputSetFaults : public ::testing::TestWithParam<FaultCase> {
  protected:
    // Converts the input for real, with no fault, into `into`.
    void convertCleanly(const std::string& input, const std::filesystem::path& into) {
        testing::writeFile(folder / "older.cmp", input);
        std::filesystem::create_directories(into);
        const auto outcome = testing::convertFile(systemFileSystem(), folder / "older.cmp", into,
                                                  {{}, kAt}, [](const RunMessage&) {});
        ASSERT_TRUE(outcome.committed);
        for (const char* extension : kExtensions) {
            std::filesystem::rename(into / "older" / (std::string("older") + extension),
                                    into / "BOARD" / (std::string("BOARD") + extension));
        }
    }

    TempFolder folder;
};

TEST_P(OutputSetFaults, LeaveAWholeSet) {
    const FaultCase& testCase = GetParam();
    // 2,000 records: a listing of several blocks and an input of several reads.
    const std::string input = bytesOf(generateBoard(3, 2000));
    const std::filesystem::path inputPath = folder / "BOARD.cmp";
    testing::writeFile(inputPath, input);
    const std::filesystem::path outputs = folder / "BOARD";
    std::filesystem::create_directories(outputs);
    if (testCase.olderSet) {
        convertCleanly(bytesOf(generateBoard(5, 300)), folder.path());
    }
    const auto before = outputsIn(outputs);
    const auto fresh = testing::convertInMemory(input, {}, "BOARD", kAt);

    testing::FaultyFileSystem fileSystem(testCase.faults);
    std::vector<RunMessage> messages;
    const RunOutcome outcome = testing::convertFile(
        fileSystem, inputPath, std::nullopt, {{}, kAt},
        [&messages](const RunMessage& message) { messages.push_back(message); });

    // The run never writes to its input: a shrinking input keeps the half the fault left it.
    EXPECT_EQ(readFile(inputPath),
              testCase.faults.inputShrinks ? input.substr(0, input.size() / 2) : input);
    std::vector<MessageKind> kinds;
    for (const RunMessage& message : messages) {
        kinds.push_back(message.kind);
    }
    EXPECT_EQ(kinds, testCase.messages);
    if (testCase.reason) {
        ASSERT_FALSE(messages.empty());
        ASSERT_TRUE(messages[0].reason.has_value());
        EXPECT_EQ(messages[0].reason->reason(), *testCase.reason);
        if (testCase.error) {
            EXPECT_EQ(messages[0].reason->error(), std::make_error_code(*testCase.error));
        }
    }
    const auto after = outputsIn(outputs);
    switch (testCase.afterwards) {
        case Afterwards::OlderSet:
            EXPECT_EQ(after, before);
            break;
        case Afterwards::NewSet:
            EXPECT_EQ(after, (std::vector<std::string>{
                                 fingerprintOf(fresh.listing), fingerprintOf(fresh.icn),
                                 fingerprintOf(fresh.icp), fingerprintOf(fresh.scp)}));
            EXPECT_TRUE(outcome.committed);
            break;
        case Afterwards::Nothing:
            EXPECT_EQ(after, std::vector<std::string>(4, "missing"));
            break;
    }
    EXPECT_EQ(outcome.committed, testCase.afterwards == Afterwards::NewSet);
    // Nothing of ours is left: no temporary file and no second name of an older output.
    for (const auto& entry : std::filesystem::directory_iterator(outputs)) {
        EXPECT_TRUE(entry.path().filename().string().starts_with("BOARD.")) << entry.path();
    }
    EXPECT_EQ(fileSystem.writesAfterFailure(), 0);
}

// The faults of one case, set by `change`.
template <class Change>
Faults faults(Change change) {
    Faults result;
    change(result);
    return result;
}

using Kinds = std::vector<MessageKind>;
constexpr auto kFileUnreadable = MessageKind::FileUnreadable;
constexpr auto kSystem = FailureReason::SystemError;

INSTANTIATE_TEST_SUITE_P(
    Runs, OutputSetFaults,
    ::testing::Values(
        FaultCase{"CleanRunReplacesTheOlderSet",
                  {},
                  true,
                  Kinds{MessageKind::Converted},
                  std::nullopt,
                  std::nullopt,
                  Afterwards::NewSet},
        FaultCase{"ReadFailingAtOnce", faults([](Faults& f) { f.readFailsAfter = 0; }), true,
                  Kinds{kFileUnreadable}, kSystem, std::errc::io_error, Afterwards::OlderSet},
        FaultCase{"ReadFailingAfter64KiB", faults([](Faults& f) { f.readFailsAfter = 65536; }),
                  true, Kinds{kFileUnreadable}, kSystem, std::errc::io_error, Afterwards::OlderSet},
        FaultCase{"ReadFailingWithoutOlderSet", faults([](Faults& f) { f.readFailsAfter = 65536; }),
                  false, Kinds{kFileUnreadable}, kSystem, std::errc::io_error, Afterwards::Nothing},
        FaultCase{"InputShrinkingWhileRead", faults([](Faults& f) { f.inputShrinks = true; }), true,
                  Kinds{kFileUnreadable}, FailureReason::Shrank, std::nullopt,
                  Afterwards::OlderSet},
        FaultCase{"DiskFullAtTheFirstWrite", faults([](Faults& f) { f.writeFailsIn = 0; }), true,
                  Kinds{MessageKind::DatNotCreated}, kSystem, std::errc::no_space_on_device,
                  Afterwards::OlderSet},
        FaultCase{"DiskFullPartWayThroughTheListing",
                  faults([](Faults& f) { f.writeFailsIn = 0, f.writeFailsAfter = 300000; }), true,
                  Kinds{MessageKind::DatNotCreated}, kSystem, std::errc::no_space_on_device,
                  Afterwards::OlderSet},
        FaultCase{"DiskFullAtTheSettingsFile", faults([](Faults& f) { f.writeFailsIn = 3; }), true,
                  Kinds{MessageKind::ScpNotCreated}, kSystem, std::errc::no_space_on_device,
                  Afterwards::OlderSet},
        FaultCase{"FlushToDiskFailing", faults([](Faults& f) { f.finishFailsIn = 1; }), true,
                  Kinds{MessageKind::IcnNotCreated}, kSystem, std::errc::io_error,
                  Afterwards::OlderSet},
        FaultCase{"ThirdMoveFailingPutsBackTheFirstTwo",
                  faults([](Faults& f) { f.renameFailsInto = "BOARD.icp"; }), true,
                  Kinds{MessageKind::IcpNotCreated}, kSystem, std::errc::io_error,
                  Afterwards::OlderSet},
        FaultCase{"ThirdMoveFailingWithoutSecondNames", faults([](Faults& f) {
                      f.renameFailsInto = "BOARD.icp", f.noSecondNames = true;
                  }),
                  true, Kinds{MessageKind::IcpNotCreated}, kSystem, std::errc::io_error,
                  Afterwards::OlderSet},
        FaultCase{"LastMoveFailingWithoutOlderSetRemovesTheOthers",
                  faults([](Faults& f) { f.renameFailsInto = "BOARD.scp"; }), false,
                  Kinds{MessageKind::ScpNotCreated}, kSystem, std::errc::io_error,
                  Afterwards::Nothing},
        FaultCase{"CleanRunWithoutSecondNames", faults([](Faults& f) { f.noSecondNames = true; }),
                  true, Kinds{MessageKind::Converted}, std::nullopt, std::nullopt,
                  Afterwards::NewSet}),
    testing::BehaviourName());

// A folder named B beside an empty input B.cmp, for runs that only tidy up and lock.
class OutputFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::writeFile(folder / "B.cmp", "");
        std::filesystem::create_directories(outputs);
    }

    // Converts B.cmp into B/ and keeps its messages.
    RunOutcome convert(FileSystem& fileSystem, std::chrono::milliseconds folderWait) {
        return testing::convertFile(
            fileSystem, folder / "B.cmp", std::nullopt, {{}, kAt},
            [this](const RunMessage& message) { messages.push_back(message); }, folderWait);
    }

    TempFolder folder;
    const std::filesystem::path outputs = folder / "B";
    std::vector<RunMessage> messages;
};

constexpr std::chrono::milliseconds kNoWait{0};
// A process of this machine that no longer runs: no process has this id.
RunFileOwner deadRunHere() {
    RunFileOwner owner = thisRun();
    owner.process = 4194305;
    return owner;
}
const std::string kDeadTemporary = runFileName(RunFileKind::Temporary, deadRunHere(), 0x0123);
const std::string kDeadBackup = runFileName(RunFileKind::Backup, deadRunHere(), 0x0123);
const std::string kLiveTemporary = runFileName(RunFileKind::Temporary, deadRunHere(), 0xfedc);

std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(OutputFolder, LeftoversOfRunsThatAreGoneAreRemovedAndEveryOtherFileKept) {
    // Files of other runs' naming that no run holds, and the user's files, one of them named as
    // the temporaries of earlier versions and two hours old.
    std::vector<std::string> usersFiles{".zt00000000", ".zt-1-0123456789abcdef", ".ztnothex!!",
                                        "keep.zt"};
#ifndef _WIN32
    // Names that differ only in case are one file on Windows.
    usersFiles.push_back(".zt-1-0123456789ABCDEF");
#endif
    for (const std::string& name : usersFiles) {
        testing::writeFile(outputs / name, "x");
    }
    testing::writeFile(outputs / kDeadTemporary, "x");
    testing::writeFile(outputs / kDeadBackup, "x");
    std::filesystem::last_write_time(
        outputs / ".zt00000000",
        std::filesystem::file_time_type::clock::now() - std::chrono::hours(2));
    // A run still writing holds its temporary's lock.
    const auto live = systemFileSystem().createNew(outputs / kLiveTemporary);

    EXPECT_TRUE(convert(systemFileSystem(), kNoWait).committed);
    std::vector<std::string> kept = usersFiles;
    kept.insert(kept.end(), {kLiveTemporary, "B.dat", "B.icn", "B.icp", "B.scp"});
    EXPECT_EQ(testing::entriesOf(outputs), sorted(kept));
}

// Both ways of taking a folder's lock tell a folder that another run holds (none) from one that
// cannot be locked (FileError) alike.
TEST_F(OutputFolder, BothLocksTellABusyFolderFromOneThatCannotBeLocked) {
    testing::FaultyFileSystem noLocks(faults([](Faults& f) { f.noLocks = true; }));
    const std::vector<std::function<std::unique_ptr<FolderLock>(FileSystem&)>> locks{
        [this](FileSystem& fileSystem) { return fileSystem.tryLockFolder(outputs); },
        [this](FileSystem& fileSystem) {
            return lockFolderWithin(fileSystem, outputs, std::chrono::milliseconds(30));
        }};
    for (const auto& lock : locks) {
        auto otherRun = systemFileSystem().tryLockFolder(outputs);
        ASSERT_NE(otherRun, nullptr);
        EXPECT_EQ(lock(systemFileSystem()), nullptr);
        otherRun.reset();
        EXPECT_NE(lock(systemFileSystem()), nullptr);
        EXPECT_THROW(lock(noLocks), FileError);
    }
}

TEST_F(OutputFolder, NothingIsTakenForALeftoverWhereTheFolderCannotBeLocked) {
    testing::writeFile(outputs / kDeadTemporary, "x");
    testing::writeFile(outputs / kDeadBackup, "x");
    testing::FaultyFileSystem noLocks(faults([](Faults& f) { f.noLocks = true; }));
    EXPECT_TRUE(convert(noLocks, kNoWait).committed);
    EXPECT_EQ(testing::entriesOf(outputs),
              sorted({kDeadBackup, kDeadTemporary, "B.dat", "B.icn", "B.icp", "B.scp"}));
}

TEST_F(OutputFolder, KeptByAnotherRunFailsAfterTheWaitWithTheListingsMessage) {
    testing::writeFile(outputs / "B.dat", "older listing");
    testing::writeFile(outputs / kDeadTemporary, "x");
    auto otherRun = systemFileSystem().tryLockFolder(outputs);
    ASSERT_NE(otherRun, nullptr);
    EXPECT_EQ(systemFileSystem().tryLockFolder(outputs), nullptr);

    EXPECT_FALSE(convert(systemFileSystem(), std::chrono::milliseconds(50)).committed);
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_EQ(messages[0].kind, MessageKind::DatNotCreated);
    ASSERT_TRUE(messages[0].reason.has_value());
    EXPECT_EQ(messages[0].reason->reason(), FailureReason::FolderBusy);
    EXPECT_EQ(describe(messages[0]),
              "DAT 파일이 생성되지 않습니다. (the output folder is in use by another conversion)");
    otherRun.reset();
    // Without the lock, the run may not tell a leftover from a file being written.
    EXPECT_EQ(testing::entriesOf(outputs), sorted({kDeadTemporary, "B.dat"}));
    EXPECT_EQ(readFile(outputs / "B.dat"), "older listing");
}

TEST_F(OutputFolder, RunWaitsForAnotherToLetGoOfTheFolder) {
    auto otherRun = systemFileSystem().tryLockFolder(outputs);
    std::thread letGo([&otherRun] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        otherRun.reset();
    });
    EXPECT_TRUE(convert(systemFileSystem(), std::chrono::seconds(60)).committed);
    letGo.join();
}

TEST_F(OutputFolder, StopWhileWaitingForTheFolderLeavesNothing) {
    auto otherRun = systemFileSystem().tryLockFolder(outputs);
    std::atomic<int> signal{0};
    InterruptibleFileSystem interruptible(systemFileSystem(), signal);
    std::optional<Conversion> conversion = Conversion::open(
        interruptible,
        {.input = InputFile(folder / "B.cmp"), .folderWait = std::chrono::seconds(60)},
        [](const RunMessage&) {});
    ASSERT_TRUE(conversion.has_value());
    std::thread stop([&signal] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        signal.store(SIGINT);
    });
    EXPECT_THROW(conversion->run([](const RunMessage&) {}), Interrupted);
    stop.join();
    otherRun.reset();
    EXPECT_TRUE(testing::entriesOf(outputs).empty());
}

// A run that is held up half-way through its moves while a second run of another input with the
// same title converts into the same folder: the second waits, and moves in after the first.
TEST(OutputSet, RunsAtOnceIntoOneFolderNeverMix) {
    TempFolder folder;
    const std::array<std::string, 2> inputs{bytesOf(generateBoard(1, 200)),
                                            bytesOf(generateBoard(2, 300))};
    std::vector<std::vector<std::string>> sets;
    for (std::size_t run = 0; run < inputs.size(); ++run) {
        std::filesystem::create_directories(folder / ("from" + std::to_string(run)));
        testing::writeFile(folder / ("from" + std::to_string(run)) / "BOARD.cmp", inputs[run]);
        const auto fresh = testing::convertInMemory(inputs[run], {}, "BOARD", kAt);
        sets.push_back({fingerprintOf(fresh.listing), fingerprintOf(fresh.icn),
                        fingerprintOf(fresh.icp), fingerprintOf(fresh.scp)});
    }
    const auto convert = [&folder](FileSystem& fileSystem, std::size_t run) {
        return testing::convertFile(
                   fileSystem, folder / ("from" + std::to_string(run)) / "BOARD.cmp", folder.path(),
                   {{}, kAt}, [](const RunMessage&) {}, std::chrono::seconds(60))
            .committed;
    };
    bool secondCommitted = false;
    std::thread second;
    testing::FaultyFileSystem heldUp(faults([&](Faults& f) {
        f.beforeMove = [&](const std::filesystem::path& to) {
            if (to.filename() != "BOARD.icn") {
                return;
            }
            second = std::thread([&] { secondCommitted = convert(systemFileSystem(), 1); });
            // Time enough for the second run to move its whole set in, were it not kept out.
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        };
    }));
    EXPECT_TRUE(convert(heldUp, 0));
    second.join();
    EXPECT_TRUE(secondCommitted);
    EXPECT_EQ(outputsIn(folder / "BOARD"), sets[1]);
    EXPECT_EQ(testing::entriesOf(folder / "BOARD"),
              (std::vector<std::string>{"BOARD.dat", "BOARD.icn", "BOARD.icp", "BOARD.scp"}));
}

struct RunFileNameCase {
    const char* name;
    bool temporary;
    bool backup;
};

TEST(RunFileNames, AreTheRunsOwnAndUnlikeAnyOther) {
    const std::string temporary = newRunFileName(RunFileKind::Temporary);
    EXPECT_EQ(ownerOfRunFile(RunFileKind::Temporary, temporary), thisRun()) << temporary;
    EXPECT_FALSE(isRunFileName(RunFileKind::Backup, temporary)) << temporary;
    EXPECT_NE(newRunFileName(RunFileKind::Temporary), temporary);
    EXPECT_TRUE(isRunFileName(RunFileKind::Backup, newRunFileName(RunFileKind::Backup)));
    for (const RunFileNameCase& name : std::vector<RunFileNameCase>{
             {".zt-0123abcd-00000000-7-0123456789abcdef", true, false},
             {".zb-ffffffff-ffffffff-4294967295-0123456789abcdef", false, true},
             // The namings of earlier versions, which users' files may have too.
             {".zt-7-0123456789abcdef", false, false},
             {".zb-4294967295-0123456789abcdef", false, false},
             {".zt00000000", false, false},
             {".zb0000abcd", false, false},
             {".zt-0123ABCD-00000000-7-0123456789abcdef", false, false},
             {".zt-0123abc-00000000-7-0123456789abcdef", false, false},
             {".zt-0123abcd-00000000--0123456789abcdef", false, false},
             {".zt-0123abcd-00000000-07-0123456789abcdef", false, false},
             {".zt-0123abcd-00000000-4294967296-0123456789abcdef", false, false},
             {".zt-0123abcd-00000000-7-0123456789abcde", false, false},
             {".zt-0123abcd-00000000-7-0123456789abcdef0", false, false},
             {".zt-0123abcd-00000000-7-0123456789abcdef-1", false, false},
             {".zt-0123abcd-00000000-x-0123456789abcdef", false, false}}) {
        EXPECT_EQ(isRunFileName(RunFileKind::Temporary, name.name), name.temporary) << name.name;
        EXPECT_EQ(isRunFileName(RunFileKind::Backup, name.name), name.backup) << name.name;
    }
}

}  // namespace
}  // namespace zemra
