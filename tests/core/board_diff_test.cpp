// Two revisions of a board compared: crafted edits are reported exactly and alone, and the IC pin
// changes are those that the two .icp files show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <ranges>
#include <set>
#include <stdexcept>

#include "behaviour_name.h"
#include "board_generator.h"
#include "diff/board_diff.h"
#include "golden_boards.h"
#include "in_memory_conversion.h"
#include "record_builder.h"

namespace zemra {
namespace {

using Bytes = std::string;

Bytes recordBytes(const RecordBuilder& record) {
    return {reinterpret_cast<const char*>(record.bytes().data()), record.bytes().size()};
}

// The changes as short lines: "changed 4>4 U1_3 Hi-P", "icPin U1 3: 23>60".
class ChangeLines : public DiffReceiver {
  public:
    void takeStep(const StepChange& change) override {
        if (change.kind == StepChangeKind::Removed) {
            lines.push_back("removed " + std::to_string(change.before->fields.step) + " " +
                            std::string(change.before->fields.partsN.view()));
        } else if (change.kind == StepChangeKind::Added) {
            lines.push_back("added " + std::to_string(change.after->fields.step) + " " +
                            std::string(change.after->fields.partsN.view()));
        } else {
            std::string line =
                std::string(change.kind == StepChangeKind::Moved ? "moved " : "changed ") +
                std::to_string(change.before->fields.step) + ">" +
                std::to_string(change.after->fields.step) + " " +
                std::string(change.after->fields.partsN.view());
            for (const ColumnChange& column :
                 changedColumns(change.before->columns, change.after->columns, false)) {
                line += " " + std::string(column.column->heading);
            }
            lines.push_back(line);
        }
    }
    void takeIc(const IcChange& change) override {
        const std::string name(change.name);
        switch (change.kind) {
            case IcChangeKind::Added:
                lines.push_back("icAdded " + name);
                break;
            case IcChangeKind::Removed:
                lines.push_back("icRemoved " + name);
                break;
            case IcChangeKind::PinCount:
                lines.push_back("icPinCount " + name + " " + std::to_string(change.oldPinCount) +
                                ">" + std::to_string(change.newPinCount));
                break;
            case IcChangeKind::Pin:
                lines.push_back(
                    icPinLine(name, change.pin, change.oldTesterPin, change.newTesterPin));
                break;
        }
    }

    void takeCheck(const CheckChange& change) override {
        checks.push_back(
            std::string(change.kind == CheckChangeKind::Added ? "checkAdded " : "checkResolved ") +
            std::string(checkIdText(change.check->id)) + " " + change.check->sentence);
    }

    static std::string icPinLine(const std::string& ic, int pin, int before, int after) {
        return "icPin " + ic + " " + std::to_string(pin) + ": " + std::to_string(before) + ">" +
               std::to_string(after);
    }

    std::vector<std::string> lines;
    std::vector<std::string> checks;
};

// Each IC pin change's source steps: "U1 3: 4 U1_3 > 9 U1_3".
class RecordSources : public DiffReceiver {
  public:
    void takeStep(const StepChange& /*change*/) override {}
    void takeIc(const IcChange& change) override {
        if (change.kind != IcChangeKind::Pin) {
            return;
        }
        const auto text = [](const StepRef* step) {
            return step == nullptr
                       ? std::string("none")
                       : std::to_string(step->step) + " " + std::string(step->partName.view());
        };
        sources.push_back(std::string(change.name) + " " + std::to_string(change.pin) + ": " +
                          text(change.oldSource) + " > " + text(change.newSource));
    }

    std::vector<std::string> sources;
};

struct Compared {
    std::vector<std::string> lines;
    bool same = false;
    std::vector<std::string> checks;
};

Compared compare(const Bytes& before, const Bytes& after, DecodeOptions options = {}) {
    const auto opener = [](const Bytes& bytes) {
        return [&bytes] { return std::make_unique<MemorySource>(std::as_bytes(std::span(bytes))); };
    };
    ChangeLines receiver;
    const DiffCounts counts = compareBoards(opener(before), opener(after), options, receiver);
    for (const std::string_view output : counts.changedOtherOutputs) {
        receiver.lines.push_back("output " + std::string(output));
    }
    return {receiver.lines, counts.same(), receiver.checks};
}

// Each IC pin's tester pin as the .icp shows it, by IC name and pin.
std::map<std::pair<std::string, int>, int> icpPins(const Bytes& board, DecodeOptions options) {
    const testing::ConvertedBoard converted = testing::convertInMemory(board, options);
    const std::vector<std::string> lines = testing::linesOf(converted.icp);
    std::map<std::pair<std::string, int>, int> pins;
    for (const IcSummary& ic : converted.summary.ics) {
        for (int pin = 1; pin <= ic.pinCount; ++pin) {
            const std::string& line = lines.at(static_cast<std::size_t>(ic.firstIcp + pin - 2));
            pins[{std::string(ic.name.view()), pin}] = std::stoi(line.substr(line.find('=') + 1));
        }
    }
    return pins;
}

// The IC pin changes that the two .icp files show, for the ICs in both.
std::set<std::string> icpChanges(const Bytes& before, const Bytes& after, DecodeOptions options) {
    const auto oldPins = icpPins(before, options);
    const auto newPins = icpPins(after, options);
    std::set<std::string> names;
    for (const auto& [pin, tester] : oldPins) {
        names.insert(pin.first);
    }
    std::set<std::string> newNames;
    for (const auto& [pin, tester] : newPins) {
        newNames.insert(pin.first);
    }
    std::set<std::string> changes;
    const auto look = [&](const auto& pins) {
        for (const auto& [pin, tester] : pins) {
            if (!names.contains(pin.first) || !newNames.contains(pin.first)) {
                continue;
            }
            const auto old = oldPins.find(pin);
            const auto now = newPins.find(pin);
            const int oldTester = old == oldPins.end() ? 0 : old->second;
            const int newTester = now == newPins.end() ? 0 : now->second;
            if (oldTester != newTester) {
                changes.insert(ChangeLines::icPinLine(pin.first, pin.second, oldTester, newTester));
            }
        }
    };
    look(oldPins);
    look(newPins);
    return changes;
}

std::set<std::string> reportedIcPins(const std::vector<std::string>& lines) {
    std::set<std::string> pins;
    for (const std::string& line : lines) {
        if (line.starts_with("icPin ")) {
            pins.insert(line);
        }
    }
    return pins;
}

Bytes withRecord(Bytes board, std::size_t index, const RecordBuilder& record) {
    return board.replace(index * 64, 64, recordBytes(record));
}
Bytes withoutRecord(Bytes board, std::size_t index) {
    return board.erase(index * 64, 64);
}
Bytes withRecordAt(Bytes board, std::size_t index, const RecordBuilder& record) {
    return board.insert(index * 64, recordBytes(record));
}
// The `count` records from `from` taken out and put back before record `to` of what is left.
Bytes withRecordsMoved(const Bytes& board, std::size_t from, std::size_t count, std::size_t to) {
    const Bytes run = board.substr(from * 64, count * 64);
    Bytes rest = board;
    rest.erase(from * 64, count * 64);
    return rest.insert(to * 64, run);
}
Bytes withByte(Bytes board, std::size_t offset, unsigned value) {
    board[offset] = static_cast<char>(value);
    return board;
}

RecordBuilder diodeStep(const std::string& name, int testerPin) {
    RecordBuilder step;
    step.name(name).lc("D1").typeCode(10).pins(testerPin, 100).mode('2');
    step.actual(700, 0x40).standard(650, 0x40).limits(30, 30);
    return step;
}

struct DiffCase {
    std::string behaviour;
    Bytes after;  // the two-IC board, edited
    std::vector<std::string> expected;
    DecodeOptions options = {};
};

std::vector<DiffCase> diffCases() {
    const Bytes board = testing::twoIcBoard();
    RecordBuilder resistor;
    resistor.name("R1").lc("A1").typeCode(1).pins(1, 2).actual(470, 0x15).standard(5600, 0x14);
    resistor.limits(5, 5);
    RecordBuilder spareChanged = resistor;
    spareChanged.standard(4700, 0x14).byteAt(0, 0xFF).byteAt(45, 0x33);
    return {
        {"IdenticalBoardsHaveNoChange", board, {}},
        {"ResistorValueIsOneChangedStep",
         withRecord(board, 0, resistor),
         {"changed 1>1 R1 Stand-V"}},
        {"SpareBytesAreNoChange", withRecord(board, 0, spareChanged), {}},
        {"RemovedStepIsOneRemovalAndNothingMoves", withoutRecord(board, 8), {"removed 9 C1"}},
        {"InsertedStepIsOneAddition",
         withRecordAt(board, 1, RecordBuilder(resistor).name("R9")),
         {"added 2 R9"}},
        {"DroppedRecordIsNoStep", withRecordAt(board, 1, RecordBuilder().name("9X")), {}},
        {"DiodeHiPinChangesItsStepAndItsIcPin",
         withRecord(board, 3, diodeStep("U1-3", 60)),
         {"changed 4>4 U1_3 Hi-P", "icPin U1 3: 23>60"}},
        {"NewHighestDiodePinRaisesThePinCount",
         withRecordAt(board, 8, diodeStep("U1-10", 30)),
         {"added 9 U1_10", "icPinCount U1 8>10", "icPin U1 10: 0>30"}},
        {"DiodeStepsBelowAnIcsThresholdRemoveIt",
         withoutRecord(withoutRecord(withoutRecord(board, 7), 6), 5),
         {"removed 6 U1_5", "removed 7 U1_6", "removed 8 U1_8", "icRemoved U1"}},
        {"HigherPinOfAChangedStepChangesTheSettings",
         withRecord(board, 0, RecordBuilder(resistor).pins(4000, 2)),
         {"changed 1>1 R1 Hi-P Stand-V", "output .scp"}},
        {"LcOfAChangedStepChangesTheSettings",
         withRecord(board, 0, RecordBuilder(resistor).lc("Z9")),
         {"changed 1>1 R1 LC Stand-V", "output .scp"}},
        {"StepMovedToTheEndIsOneMove", withRecordsMoved(board, 0, 1, 28), {"moved 1>29 R1"}},
        {"StepMovedForwardIsOneMove", withRecordsMoved(board, 8, 1, 0), {"moved 9>1 C1"}},
        {"MovedRunIsAMovePerStep",
         withRecordsMoved(board, 1, 3, 5),
         {"moved 2>6 U1_1", "moved 3>7 U1_2", "moved 4>8 U1_3"}},
        {"MovedStepWithAnotherValueIsMovedAndChanged",
         withRecordsMoved(withRecord(board, 0, resistor), 0, 1, 28),
         {"moved 1>29 R1 Stand-V"}},
        {"Kx740eComparesItsOwnListing",
         withRecord(board, 0, resistor),
         {"changed 1>1 R1 Stand-V"},
         {.variant = TesterVariant::Kx740e}},
    };
}

class BoardDiff : public ::testing::TestWithParam<DiffCase> {};

TEST_P(BoardDiff, ReportsEachEditAlone) {
    const DiffCase& c = GetParam();
    const Bytes before = testing::twoIcBoard();
    const Compared compared = compare(before, c.after, c.options);
    EXPECT_EQ(compared.lines, c.expected);
    EXPECT_EQ(compared.same, c.expected.empty());
    EXPECT_EQ(reportedIcPins(compared.lines), icpChanges(before, c.after, c.options));
}

INSTANTIATE_TEST_SUITE_P(TwoIcBoard, BoardDiff, ::testing::ValuesIn(diffCases()),
                         testing::BehaviourName());

// Edits of a generated board, each found on the first record of its kind from the middle on.
struct GeneratedEdit {
    std::string behaviour;
    int typeCode;  // of the record edited
    std::function<Bytes(Bytes, std::size_t)> edit;
    std::string expectedStart;  // of the one step change
};

class GeneratedBoardDiff : public ::testing::TestWithParam<GeneratedEdit> {};

TEST_P(GeneratedBoardDiff, FindsTheEditAlone) {
    const GeneratedEdit& c = GetParam();
    const std::vector<std::byte> generated = generateBoard(5, 4000);
    const Bytes before(reinterpret_cast<const char*>(generated.data()), generated.size());
    std::size_t index = 2000;
    while (
        decodeRecord(std::span<const std::byte, 64>(generated.data() + index * 64, 64)).typeCode !=
            static_cast<TypeCode>(c.typeCode) ||
        generated[index * 64 + 52] < std::byte{'A'}) {
        ++index;
    }
    const Bytes after = c.edit(before, index);
    const Compared compared = compare(before, after);
    ASSERT_FALSE(compared.lines.empty());
    EXPECT_TRUE(compared.lines.front().starts_with(c.expectedStart)) << compared.lines.front();
    const std::set<std::string> icPins = reportedIcPins(compared.lines);
    EXPECT_EQ(compared.lines.size(), 1 + icPins.size());
    EXPECT_EQ(icPins, icpChanges(before, after, {}));
}

INSTANTIATE_TEST_SUITE_P(
    Edits, GeneratedBoardDiff,
    ::testing::ValuesIn(std::vector<GeneratedEdit>{
        {"ResistorValue", 1,
         [](Bytes board, std::size_t index) {
             return withByte(board, index * 64 + 4,
                             static_cast<unsigned char>(board[index * 64 + 4]) ^ 0x10U);
         },
         "changed"},
        {"RemovedStep", 1,
         [](Bytes board, std::size_t index) { return withoutRecord(board, index); }, "removed"},
        {"InsertedStep", 1,
         [](Bytes board, std::size_t index) {
             return withRecordAt(board, index, RecordBuilder().name("RNEW").typeCode(1).pins(1, 2));
         },
         "added"},
        {"DiodeHiPin", 10,
         [](Bytes board, std::size_t index) { return withByte(board, index * 64 + 26, 0x7B); },
         "changed"},
    }),
    testing::BehaviourName());

struct CheckCase {
    std::string behaviour;
    Bytes before;  // the two-IC board, edited
    Bytes after;
    std::vector<std::string> expected;
};

std::vector<CheckCase> checkCases() {
    const Bytes board = testing::twoIcBoard();
    RecordBuilder resistor;
    resistor.name("R1").lc("A1").typeCode(1).pins(1, 1).actual(470, 0x15).standard(4700, 0x14);
    resistor.limits(5, 5);
    const Bytes twoC1 = withRecordAt(board, 9, RecordBuilder().name("C1").typeCode(4).pins(3, 4));
    return {
        {"SameBoardsGainNoCheck", board, board, {}},
        {"SameHiAndLoPinIsAnErrorGained",
         board,
         withRecord(board, 0, resistor),
         {"checkAdded same-hi-lo-pin Hi-P and Lo-P are both tester pin 1: the step measures "
          "between a pin and itself"}},
        {"RepeatedNameIsGained",
         board,
         twoC1,
         {"checkAdded duplicate-part-name part name \"C1\" is also the name of step 9"}},
        {"RepeatedNameRemovedIsResolved",
         twoC1,
         board,
         {"checkResolved duplicate-part-name part name \"C1\" is also the name of step 9"}},
        {"ShiftedStepNumbersGainNoCheck",
         twoC1,
         withRecordAt(twoC1, 0, RecordBuilder().name("R9").typeCode(1).pins(1, 2)),
         {}},
        // Whatever the order of their records, the checks gained come errors first, then
        // warnings, then infos: the "*" record stands before the repeated name.
        {"GainedChecksComeBySeverity",
         board,
         withRecordAt(withRecord(twoC1, 0, resistor), 1, RecordBuilder().skip()),
         {"checkAdded same-hi-lo-pin Hi-P and Lo-P are both tester pin 1: the step measures "
          "between a pin and itself",
          "checkAdded duplicate-part-name part name \"C1\" is also the name of step 10",
          "checkAdded skipped-step a \"*\" step: its part name is empty and it has the skip mark, "
          "so the tester skips it"}},
        {"DroppedDiodeStepLeavesAnUnresolvedPin",
         board,
         withoutRecord(board, 3),
         // U1's pin 7 was unresolved already: its check now names pin 3 too.
         {"checkAdded unresolved-ic-pin IC \"U1\": 2 of its 8 pins have tester pin 0 in the "
          ".icp: 3 (ICP 3), 7 (ICP 7)",
          "checkResolved unresolved-ic-pin IC \"U1\": 1 of its 8 pins have tester pin 0 in the "
          ".icp: 7 (ICP 7)"}},
    };
}

class BoardDiffChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(BoardDiffChecks, ReportsTheChecksGainedAndResolved) {
    const CheckCase& c = GetParam();
    EXPECT_EQ(compare(c.before, c.after).checks, c.expected);
}

INSTANTIATE_TEST_SUITE_P(TwoIcBoard, BoardDiffChecks, ::testing::ValuesIn(checkCases()),
                         testing::BehaviourName());

// Each IC pin change names the steps that gave its old and its new tester pin.
TEST(BoardDiffSources, NameTheDiodeStepsOfAChangedPin) {
    const Bytes before = testing::twoIcBoard();
    RecordSources receiver;
    const auto opener = [](const Bytes& bytes) {
        return [&bytes] { return std::make_unique<MemorySource>(std::as_bytes(std::span(bytes))); };
    };
    const Bytes after = withRecordAt(before, 8, diodeStep("U1-3", 60));
    compareBoards(opener(before), opener(after), {}, receiver);
    EXPECT_EQ(receiver.sources, std::vector<std::string>{"U1 3: 4 U1_3 > 9 U1_3"});
}

// A run of named steps of no IC moved far on in a generated board: moves only, one per step.
TEST(GeneratedBoardMove, IsReportedAsMovesAlone) {
    const std::vector<std::byte> generated = generateBoard(5, 4000);
    const Bytes before(reinterpret_cast<const char*>(generated.data()), generated.size());
    const auto plainPart = [&](std::size_t index) {
        const char first = before[index * 64 + 52];
        return std::isalpha(static_cast<unsigned char>(first)) != 0 && first != 'U' && first != 'I';
    };
    std::size_t from = 500;
    constexpr std::size_t kRun = 20;
    while (!std::ranges::all_of(std::views::iota(from, from + kRun), plainPart)) {
        ++from;
    }
    const Compared compared = compare(before, withRecordsMoved(before, from, kRun, 3000));
    ASSERT_EQ(compared.lines.size(), kRun);
    for (const std::string& line : compared.lines) {
        EXPECT_TRUE(line.starts_with("moved ")) << line;
    }
    EXPECT_FALSE(compared.same);
}

}  // namespace
}  // namespace zemra

namespace zemra {
namespace {

// What happens to one revision when it is opened the second time.
enum class SecondOpen { FailsMidway, IsShorter, IsLonger, HasOneOtherByte };

struct SecondPassCase {
    const char* behaviour;
    RevisionSide side;
    SecondOpen second;

    friend void PrintTo(const SecondPassCase& c, std::ostream* out) { *out << c.behaviour; }
};

// Gives `bytes` on the first open; on the second, a read that fails after `failAfter` bytes, or
// other bytes.
class SecondOpenSource : public ByteSource {
  public:
    SecondOpenSource(std::span<const std::byte> bytes, std::size_t failAfter)
        : inner_(bytes), failAfter_(failAfter) {}
    std::size_t read(std::span<std::byte> buffer) override {
        if (read_ >= failAfter_) {
            throw std::runtime_error("the disk failed");
        }
        const std::size_t count =
            inner_.read(buffer.first(std::min(buffer.size(), failAfter_ - read_)));
        read_ += count;
        return count;
    }
    std::uint64_t expectedSize() const override { return inner_.expectedSize(); }

  private:
    MemorySource inner_;
    std::size_t failAfter_;
    std::size_t read_ = 0;
};

class SecondPass : public ::testing::TestWithParam<SecondPassCase> {};

// The new revision is read ahead on a thread of its own: whatever goes wrong there reaches the
// caller as it does for the old one, and nothing waits for ever.
TEST_P(SecondPass, FailureOfEitherRevisionReachesTheCaller) {
    const SecondPassCase& c = GetParam();
    const std::vector<std::byte> generated = generateBoard(9, 20000);
    const Bytes board(reinterpret_cast<const char*>(generated.data()), generated.size());
    const Bytes revised = withRecordAt(board, 100, diodeStep("U1-3", 60));
    const Bytes shorter = revised.substr(0, revised.size() - 64);
    const Bytes longer = revised + revised.substr(0, 64);
    // The same size, one value of a record in the middle one higher.
    Bytes oneOtherByte = c.side == RevisionSide::Old ? board : revised;
    ++oneOtherByte[oneOtherByte.size() / 128 * 64 + 12];
    int opens = 0;
    const auto opener = [&](const Bytes& bytes, RevisionSide side) -> RevisionOpener {
        return [&, side]() -> std::unique_ptr<ByteSource> {
            const bool changing = side == c.side && ++opens == 2;
            const Bytes& given = !changing                                 ? bytes
                                 : c.second == SecondOpen::IsShorter       ? shorter
                                 : c.second == SecondOpen::IsLonger        ? longer
                                 : c.second == SecondOpen::HasOneOtherByte ? oneOtherByte
                                                                           : bytes;
            const std::size_t failAfter = changing && c.second == SecondOpen::FailsMidway
                                              ? given.size() / 2
                                              : given.size() + 1;
            return std::make_unique<SecondOpenSource>(std::as_bytes(std::span(given)), failAfter);
        };
    };
    ChangeLines receiver;
    try {
        compareBoards(opener(board, RevisionSide::Old), opener(revised, RevisionSide::New), {},
                      receiver);
        ADD_FAILURE() << "no failure";
    } catch (const RevisionChanged& changed) {
        EXPECT_NE(c.second, SecondOpen::FailsMidway);
        EXPECT_EQ(changed.side(), c.side);
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(c.second, SecondOpen::FailsMidway);
        EXPECT_STREQ(error.what(), "the disk failed");
    }
}

// On a board of IC pin tests the new revision's first pass waits at its half until the old one's
// is done: a failure of either, before or after that point, still reaches the caller, and
// nothing waits for ever.
TEST(FirstPass, FailureOfEitherRevisionOfIcPinTestsReachesTheCaller) {
    Bytes board;
    for (int ic = 1; ic <= 100; ++ic) {
        for (int pin = 1; pin <= 20; ++pin) {
            board += recordBytes(
                diodeStep("U" + std::to_string(ic) + "-" + std::to_string(pin), 100 + pin));
        }
    }
    for (const RevisionSide failing : {RevisionSide::Old, RevisionSide::New}) {
        for (const std::size_t failAfter : {board.size() / 4, board.size() * 3 / 4}) {
            const auto opener = [&](RevisionSide side) -> RevisionOpener {
                return [&, side]() -> std::unique_ptr<ByteSource> {
                    return std::make_unique<SecondOpenSource>(
                        std::as_bytes(std::span(board)),
                        side == failing ? failAfter : board.size() + 1);
                };
            };
            ChangeLines receiver;
            EXPECT_THROW(
                compareBoards(opener(RevisionSide::Old), opener(RevisionSide::New), {}, receiver),
                std::runtime_error);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    EitherRevision, SecondPass,
    ::testing::Values(
        SecondPassCase{"OldFailsMidway", RevisionSide::Old, SecondOpen::FailsMidway},
        SecondPassCase{"NewFailsMidway", RevisionSide::New, SecondOpen::FailsMidway},
        SecondPassCase{"OldIsShorter", RevisionSide::Old, SecondOpen::IsShorter},
        SecondPassCase{"NewIsShorter", RevisionSide::New, SecondOpen::IsShorter},
        SecondPassCase{"OldIsLonger", RevisionSide::Old, SecondOpen::IsLonger},
        SecondPassCase{"NewIsLonger", RevisionSide::New, SecondOpen::IsLonger},
        SecondPassCase{"OldHasOneOtherByte", RevisionSide::Old, SecondOpen::HasOneOtherByte},
        SecondPassCase{"NewHasOneOtherByte", RevisionSide::New, SecondOpen::HasOneOtherByte}),
    testing::BehaviourName());

}  // namespace
}  // namespace zemra
