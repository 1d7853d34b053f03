// A run that fails anywhere leaves the input as it was and the older outputs all intact, or, when
// it gets through, replaces all four: never a mixed set, never a temporary file left behind.
#include <gtest/gtest.h>

#include "behaviour_name.h"
#include "board_generator.h"
#include "faulty_file_system.h"
#include "file_conversion.h"
#include "in_memory_conversion.h"
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

TEST(OutputSet, StaleTemporariesOfOurNamingAreRemovedAndFreshOnesKept) {
    TempFolder folder;
    testing::writeFile(folder / "B.cmp", "");
    std::filesystem::create_directories(folder / "B");
    for (const char* name : {".zt0000abcd", ".zt00000001", ".ztnothex!!", "keep.zt"}) {
        testing::writeFile(folder / "B" / name, "x");
    }
    testing::FaultyFileSystem fresh({});
    testing::convertFile(fresh, folder / "B.cmp", std::nullopt, {{}, kAt},
                         [](const RunMessage&) {});
    EXPECT_TRUE(std::filesystem::exists(folder / "B" / ".zt0000abcd"));

    testing::FaultyFileSystem old(faults([](Faults& f) { f.ageOfTemporaries = 3600; }));
    testing::convertFile(old, folder / "B.cmp", std::nullopt, {{}, kAt}, [](const RunMessage&) {});
    EXPECT_EQ(
        testing::entriesOf(folder / "B"),
        (std::vector<std::string>{".ztnothex!!", "B.dat", "B.icn", "B.icp", "B.scp", "keep.zt"}));
}

TEST(OutputSet, TemporaryNamesAreShortAndOurOwn) {
    EXPECT_TRUE(isTemporaryName(".zt0000abcd"));
    EXPECT_FALSE(isTemporaryName(".zt0000ABCD"));
    EXPECT_FALSE(isTemporaryName(".zt0000abc"));
    EXPECT_FALSE(isTemporaryName("zt0000abcd"));
}

}  // namespace
}  // namespace zemra
