// The one way a file is written whole, and the leftovers that the next run removes: only files of
// runs that are gone for certain, never a live run's, never a file of the user's.
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <functional>

#include "behaviour_name.h"
#include "faulty_file_system.h"
#include "files/interruptible_file_system.h"
#include "files/run_file_names.h"
#include "files/whole_file.h"
#include "platform/process_id.h"
#include "temp_folder.h"

namespace zemra {
namespace {

using testing::Faults;
using testing::TempFolder;

// No process has this id: beyond the largest id Linux gives, and odd, which no Windows id is.
constexpr std::uint32_t kNoProcess = 4194305;

RunFileOwner deadRunHere() {
    RunFileOwner owner = thisRun();
    owner.process = kNoProcess;
    return owner;
}

struct OwnerCase {
    const char* behaviour;
    std::function<RunFileOwner()> owner;
    bool ended;
};

TEST(RunHasEnded, OnlyForAProcessOfThisMachineThatIsGone) {
    for (const OwnerCase& owner : std::vector<OwnerCase>{
             {"this process", [] { return thisRun(); }, false},
             {"an ended process of this machine", deadRunHere, true},
             {"a process of an earlier start of this machine",
              [] {
                  RunFileOwner owner = thisRun();
                  owner.boot ^= 1U;
                  return owner;
              },
              true},
             {"an ended process id of another machine",
              [] {
                  RunFileOwner owner = deadRunHere();
                  owner.machine ^= 1U;
                  return owner;
              },
              false},
         }) {
        EXPECT_EQ(runHasEnded(owner.owner()), owner.ended) << owner.behaviour;
    }
}

struct LeftoverCase {
    const char* behaviour;
    std::function<std::string()> name;
    bool removed;
};

TEST(RemoveLeftovers, RemovesOnlyTheFilesOfRunsThatAreGoneForCertain) {
    TempFolder folder;
    const std::vector<LeftoverCase> cases{
        {"a temporary of an ended run",
         [] { return runFileName(RunFileKind::Temporary, deadRunHere(), 1); }, true},
        {"a temporary of an earlier start of this machine",
         [] {
             RunFileOwner owner = thisRun();
             owner.boot ^= 1U;
             return runFileName(RunFileKind::Temporary, owner, 2);
         },
         true},
        {"a temporary of a live run that holds no lock, as when reached by another path",
         [] { return runFileName(RunFileKind::Temporary, thisRun(), 3); }, false},
        {"a temporary of another machine's run",
         [] {
             RunFileOwner owner = deadRunHere();
             owner.machine ^= 1U;
             return runFileName(RunFileKind::Temporary, owner, 4);
         },
         false},
        {"a second name of an ended run, which is not a temporary",
         [] { return runFileName(RunFileKind::Backup, deadRunHere(), 5); }, false},
        {"a user's file named as an earlier version's temporary of process 1",
         [] { return std::string(".zt-1-0123456789abcdef"); }, false},
        {"a user's file named as the oldest temporaries", [] { return std::string(".zt00000000"); },
         false},
        {"a user's file", [] { return std::string("notes.txt"); }, false},
    };
    for (const LeftoverCase& leftover : cases) {
        testing::writeFile(folder / leftover.name(), "x");
    }
    // A file of an ended run that a process holds the lock of all the same is left too.
    const std::string locked = runFileName(RunFileKind::Temporary, deadRunHere(), 6);
    const auto holder = systemFileSystem().createNew(folder / locked);

    removeLeftovers(systemFileSystem(), folder.path(), RunFileKind::Temporary);
    for (const LeftoverCase& leftover : cases) {
        EXPECT_EQ(!std::filesystem::exists(folder / leftover.name()), leftover.removed)
            << leftover.behaviour;
    }
    EXPECT_TRUE(std::filesystem::exists(folder / locked));
}

TEST(RunFileNames, AreShortWhateverTheRun) {
    const RunFileOwner longest{0xffffffffU, 0xffffffffU, 0xffffffffU};
    const std::string name = runFileName(RunFileKind::Temporary, longest, ~std::uint64_t{0});
    EXPECT_EQ(name.size(), 49U) << name;
    EXPECT_EQ(ownerOfRunFile(RunFileKind::Temporary, name), longest);
}

// Names whose file the system allows, up to the longest.
TEST(WholeFile, AnyNameTheSystemAllowsIsWritten) {
    TempFolder folder;
    for (const std::size_t length : {1U, 200U, 246U, 255U}) {
        const std::filesystem::path destination = folder.path() / std::string(length, 'p');
        writeWholeFile(systemFileSystem(), destination, std::span<const char>("page", 4));
        EXPECT_EQ(testing::readFile(destination), "page") << length;
        std::filesystem::remove(destination);
    }
    EXPECT_TRUE(testing::entriesOf(folder.path()).empty());
}

template <typename Set>
Faults faultsWhere(Set set) {
    Faults faults;
    set(faults);
    return faults;
}

struct StopCase {
    const char* behaviour;
    Faults faults;
    bool throwsWhileWriting;  // an exception of the caller's, out of memory say
    bool interrupted;
};

class WholeFileStops : public ::testing::TestWithParam<StopCase> {};

TEST_P(WholeFileStops, KeepTheOlderFileAndLeaveNothingElse) {
    const StopCase& stop = GetParam();
    TempFolder folder;
    testing::writeFile(folder / "page.html", "older");
    testing::FaultyFileSystem faulty(stop.faults);
    std::atomic<int> signal{0};
    InterruptibleFileSystem fileSystem(faulty, signal);
    const auto write = [&] {
        WholeFile file(fileSystem, folder / "page.html");
        if (stop.interrupted) {
            signal = SIGINT;
        }
        file.file().write(std::span<const char>("newer", 5));
        if (stop.throwsWhileWriting) {
            throw std::bad_alloc();
        }
        file.finish();
        file.moveIntoPlace();
    };
    EXPECT_ANY_THROW(write());
    EXPECT_EQ(testing::readFile(folder / "page.html"), "older");
    EXPECT_EQ(testing::entriesOf(folder.path()), std::vector<std::string>{"page.html"});
}

INSTANTIATE_TEST_SUITE_P(
    Every, WholeFileStops,
    ::testing::Values(
        StopCase{"WriteFails", faultsWhere([](Faults& f) { f.writeFailsIn = 0; }), false, false},
        StopCase{"FlushToTheDiskFails", faultsWhere([](Faults& f) { f.finishFailsIn = 0; }), false,
                 false},
        StopCase{"MoveFails", faultsWhere([](Faults& f) { f.renameFailsInto = "page.html"; }),
                 false, false},
        StopCase{"ExceptionWhileWriting", {}, true, false},
        StopCase{"Interruption", {}, false, true}),
    testing::BehaviourName());

}  // namespace
}  // namespace zemra
