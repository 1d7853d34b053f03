// Each IC pin explained: every diode and J step that names it, which one gave its tester pin, why
// the others did not, and whether its diode and J steps agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "behaviour_name.h"
#include "board_generator.h"
#include "decode/pin_step.h"
#include "head_to_tail.h"
#include "in_memory_conversion.h"
#include "report/pin_explanations.h"
#include "report/report_recorder.h"

namespace zemra {
namespace {

struct Use {
    std::int64_t step = 0;
    bool jStep = false;
    PinStepRole role = PinStepRole::Gave;
    int testerPin = 0;
};

struct ExplanationCase {
    std::string behaviour;
    std::vector<RecordBuilder> records;
    DecodeOptions options;
    int pin = 0;
    PinAgreement agreement = PinAgreement::OneKind;
    std::vector<Use> expected;  // in step order

    friend void PrintTo(const ExplanationCase& explanationCase, std::ostream* out) {
        *out << explanationCase.behaviour;
    }
};

RecordBuilder diode(const std::string& name, int hiPin, int loPin) {
    return RecordBuilder().name(name).typeCode(10).pins(hiPin, loPin).limits(5, 5);
}

RecordBuilder jStep(const std::string& name, int hiPin, int loPin) {
    return RecordBuilder().name(name).typeCode(13).pins(hiPin, loPin).limits(5, 5);
}

// IC `prefix`1 with diode steps for pins 1 to 8 from tester pins 101 to 108 to common pin 1.
std::vector<RecordBuilder> eightPins(const std::string& prefix = "U") {
    std::vector<RecordBuilder> records;
    for (int pin = 1; pin <= 8; ++pin) {
        records.push_back(diode(prefix + "1_" + std::to_string(pin), 100 + pin, 1));
    }
    return records;
}

std::vector<RecordBuilder> with(std::vector<RecordBuilder> records,
                                const std::vector<RecordBuilder>& more) {
    records.insert(records.end(), more.begin(), more.end());
    return records;
}

std::vector<ExplanationCase> explanationCases() {
    return {
        {"DiodeStepOffTheCommonPinGivesNoPin",
         with({diode("U1_3", 300, 400)}, eightPins()),
         {},
         3,
         PinAgreement::OneKind,
         {{1, false, PinStepRole::NoCommonPin, 0}, {4, false, PinStepRole::Gave, 103}}},
        {"LastDiodeStepOfAPinCounts",
         with(eightPins(), {diode("U1_2", 150, 1)}),
         {},
         2,
         PinAgreement::OneKind,
         {{2, false, PinStepRole::LaterDiodeStep, 102}, {9, false, PinStepRole::Gave, 150}}},
        {"JPinTakesThePlaceOfADiodePinItDisagreesWith",
         with(eightPins(), {jStep("U1_12", 102, 150)}),
         {},
         1,
         PinAgreement::Conflict,
         {{1, false, PinStepRole::JStepWins, 101}, {9, true, PinStepRole::Gave, 150}}},
        {"DiodeAndJStepsThatAgreeSaySo",
         with(eightPins(), {jStep("U1_12", 102, 101)}),
         {},
         1,
         PinAgreement::Agree,
         {{1, false, PinStepRole::JStepWins, 101}, {9, true, PinStepRole::Gave, 101}}},
        {"JStepThatFoundNoPinIsListedForThePinsItSpells",
         with(eightPins(), {jStep("U1_79", 500, 501)}),
         {},
         7,
         PinAgreement::OneKind,
         {{7, false, PinStepRole::Gave, 107}, {9, true, PinStepRole::NothingFound, 0}}},
        {"JStepOfAnIcNamedWithIcCountsForAnotherDeviceUnderKx740e",
         with(eightPins("IC"), {jStep("IC1_67", 106, 107)}),
         {.variant = TesterVariant::Kx740e},
         6,
         PinAgreement::OneKind,
         {{6, false, PinStepRole::Gave, 106}, {9, true, PinStepRole::OtherDevice, 0}}},
    };
}

class PinExplanations : public ::testing::TestWithParam<ExplanationCase> {};

TEST_P(PinExplanations, ListEveryStepThatNamesThePin) {
    const ExplanationCase& explanationCase = GetParam();
    ReportRecorder recorder({.options = explanationCase.options});
    const auto converted = testing::convertInMemory(testing::recordsOf(explanationCase.records),
                                                    recorder, explanationCase.options);
    const BoardReport report = recorder.finish({.committed = true, .summary = converted.summary});
    ASSERT_EQ(report.icCount(), 1U);
    const std::vector<PinExplanation> explained = explainPins(report, 0, explanationCase.pin);
    ASSERT_EQ(explained.size(), static_cast<std::size_t>(explanationCase.pin));
    const PinExplanation& pin = explained.back();
    EXPECT_EQ(pin.pin, explanationCase.pin);
    EXPECT_EQ(pin.agreement, explanationCase.agreement);
    ASSERT_EQ(pin.steps.size(), explanationCase.expected.size());
    for (std::size_t index = 0; index < pin.steps.size(); ++index) {
        const PinStepUse& use = pin.steps[index];
        const Use& expected = explanationCase.expected[index];
        EXPECT_EQ(report.pinSteps.at(use.pinStep).step, expected.step) << index;
        EXPECT_EQ(use.jStep, expected.jStep) << index;
        EXPECT_EQ(use.role, expected.role) << index;
        EXPECT_EQ(use.testerPin, expected.testerPin) << index;
        EXPECT_EQ(use.countedFor, expected.role == PinStepRole::OtherDevice ? "JIC1" : "");
    }
}

INSTANTIATE_TEST_SUITE_P(Crafted, PinExplanations, ::testing::ValuesIn(explanationCases()),
                         testing::BehaviourName());

TEST(PinExplanations, PinsSpelledAreTheTwoPartsOfEachSplitWithinReach) {
    EXPECT_EQ(pinsSpelled(1213, 20), (std::vector<int>{12, 13}));
    EXPECT_EQ(pinsSpelled(1213, 300), (std::vector<int>{1, 213, 12, 13, 121, 3}));
    // Up to 19 beyond the pin count, as a J step finds pins.
    EXPECT_EQ(pinsSpelled(79, 8), (std::vector<int>{7, 9}));
    EXPECT_TRUE(pinsSpelled(279, 1).empty());
    // A part with a leading zero spells no pin, nor does 0.
    EXPECT_EQ(pinsSpelled(105, 20), (std::vector<int>{10, 5}));
    EXPECT_TRUE(pinsSpelled(10, 20).empty());
    EXPECT_TRUE(pinsSpelled(7, 20).empty());
}

// Hands every record on to the report, and keeps the pin steps as texts for the head-to-tail
// passes.
class PinStepTexts : public RecordObserver {
  public:
    explicit PinStepTexts(RecordObserver& report) : report_(report) {}

    void observe(const RecordTrace& trace) override {
        report_.observe(trace);
        if (trace.pinStep) {
            const PinStepName name = pinStepNameOf(trace.fields.partsN.view());
            steps.push_back({std::string(name.device), std::string(trace.fields.lc.view()),
                             trace.fields.hiP, trace.fields.loP, name.pinNumber,
                             static_cast<std::int8_t>(trace.record.typeCode)});
        }
    }

    void expectRecords(std::uint64_t records) override { report_.expectRecords(records); }
    void recordsSeen(const ConversionSummary& counted) override { report_.recordsSeen(counted); }
    bool wantsPinSources() const override { return report_.wantsPinSources(); }
    bool takeIc(const IcTrace& ic) override { return report_.takeIc(ic); }

    std::vector<testing::TextPinStep> steps;

  private:
    RecordObserver& report_;
};

using IcPinKey = std::pair<std::string, int>;

// The pins where some diode pin and some J pin of the head-to-tail lists disagree.
std::set<IcPinKey> conflictsOf(const testing::HeadToTailResult& lists) {
    std::map<IcPinKey, std::set<int>> diodeTesterPins;
    for (const testing::TextIcPin& pin : lists.icDiodePins) {
        diodeTesterPins[{pin.name, pin.pinNumber}].insert(pin.testerPin);
    }
    std::map<std::string, int> pinCounts;
    for (const testing::TextPinCount& count : lists.icPinCounts) {
        pinCounts[count.name] = count.pinCount;
    }
    std::set<IcPinKey> conflicts;
    for (const testing::TextIcPin& pin : lists.icJPins) {
        const auto diode = diodeTesterPins.find({pin.name, pin.pinNumber});
        if (pin.pinNumber <= pinCounts[pin.name] && diode != diodeTesterPins.end() &&
            (diode->second.size() > 1 || !diode->second.contains(pin.testerPin))) {
            conflicts.insert({pin.name, pin.pinNumber});
        }
    }
    return conflicts;
}

// Boards of the generator, and small boards whose diode and J steps draw their tester pins from
// a few, so that they often disagree.
std::vector<std::string> boardsToCompare() {
    std::vector<std::string> boards;
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        const std::vector<std::byte> bytes = generateBoard(seed, 3000);
        boards.emplace_back(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    std::mt19937 random(31);
    const auto testerPin = [&random] { return std::uniform_int_distribution(100, 112)(random); };
    for (int board = 0; board < 40; ++board) {
        std::vector<RecordBuilder> records;
        for (int ic = 1; ic <= 3; ++ic) {
            const std::string name = "U" + std::to_string(ic) + "_";
            for (int pin = 1; pin <= 10; ++pin) {
                records.push_back(diode(name + std::to_string(pin), testerPin(), 1));
            }
            for (int pin = 1; pin < 10; ++pin) {
                records.push_back(jStep(name + std::to_string(pin) + std::to_string(pin + 1),
                                        testerPin(), testerPin()));
            }
        }
        std::shuffle(records.begin(), records.end(), random);
        boards.push_back(testing::recordsOf(records));
    }
    return boards;
}

TEST(PinExplanations, ConflictsAreExactlyWhereDiodeAndJPinsOfThePassesDisagree) {
    std::size_t found = 0;
    for (const std::string& board : boardsToCompare()) {
        ReportRecorder recorder({});
        PinStepTexts texts(recorder);
        const auto converted = testing::convertInMemory(board, texts);
        const BoardReport report = recorder.finish({.summary = converted.summary});
        std::set<IcPinKey> conflicts;
        for (std::size_t ic = 0; ic < report.icCount(); ++ic) {
            const IcSummary& summary = report.outcome.summary->ics[ic];
            for (const PinConflict& conflict :
                 findPinConflicts(report.outcome.summary->icPinSources.at(ic))) {
                EXPECT_NE(conflict.diode.testerPin, conflict.j.testerPin);
                conflicts.insert({std::string(summary.name.view()), conflict.pin});
            }
        }
        EXPECT_EQ(conflicts, conflictsOf(testing::runHeadToTail(texts.steps)));
        EXPECT_EQ(report.checks.found(CheckId::ConflictingPinSource), conflicts.size());
        found += conflicts.size();
    }
    EXPECT_GT(found, 0U);
}

}  // namespace
}  // namespace zemra
