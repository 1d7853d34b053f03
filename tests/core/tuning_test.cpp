// The carry of a tester's tuning to a new revision: the rule of three per listing column, the
// pairing of the steps of three listings, and a conversion whose carried columns stand in place
// of converted ones, pins and LC counting for the pin files and the settings file.
#include <gtest/gtest.h>

#include "behaviour_name.h"
#include "board_generator.h"
#include "decode/listing_lines.h"
#include "diff/revision_fingerprint.h"
#include "in_memory_conversion.h"
#include "listing_edits.h"
#include "run/convert_board.h"
#include "tester/listing_reader.h"
#include "tuning/step_pairing.h"
#include "tuning/tuning_plan.h"

namespace zemra {
namespace {

using testing::tuneColumn;

ListedColumns stepNamed(std::string_view name, std::int64_t step, int upperLimit = 5) {
    ListedColumns columns;
    columns.step = step;
    columns.partsN.assign(name);
    columns.actualV = {.units = 470, .negative = false};
    columns.standV = {.units = 470, .negative = false};
    columns.unit.assign("K ");
    columns.lc.assign("A1");
    columns.pins = {1, 2, 0, 0, 0, 0, 0};
    columns.hasType = true;
    columns.type.assign("R");
    columns.upperLimit = upperLimit;
    columns.lowerLimit = 5;
    return columns;
}

struct RuleCase {
    const char* behaviour;
    int base;
    int tuned;
    int revised;
    bool carried;
    bool conflict;
    int written;  // +Lm% of the new step once the carry is applied
};

class RuleOfThree : public ::testing::TestWithParam<RuleCase> {};

TEST_P(RuleOfThree, DecidesTheColumn) {
    const RuleCase& rule = GetParam();
    const std::vector<ListedColumns> base{stepNamed("R1", 1, rule.base)};
    const std::vector<ListedColumns> tuned{stepNamed("R1", 1, rule.tuned)};
    const std::vector<ListedColumns> revised{stepNamed("R1", 1, rule.revised)};
    const TuningPlan plan = planTuning(base, tuned, revised);
    EXPECT_EQ(plan.carriedColumns, rule.carried ? 1U : 0U);
    EXPECT_EQ(plan.conflicts, rule.conflict ? 1U : 0U);
    EXPECT_EQ(plan.droppedSteps, 0U);
    ListedColumns written = revised.front();
    for (const CarriedStep& carried : plan.carried) {
        applyCarried(carried, written);
    }
    EXPECT_EQ(written.upperLimit, rule.written);
    ASSERT_EQ(plan.events.size(), rule.carried || rule.conflict ? 1U : 0U);
    if (!plan.events.empty()) {
        const TuningEvent& event = plan.events.front();
        EXPECT_EQ(event.kind, rule.carried ? TuningKind::Carried : TuningKind::Conflict);
        EXPECT_EQ(event.column->heading, "+Lm%");
        EXPECT_EQ(event.base, std::to_string(rule.base));
        EXPECT_EQ(event.tuned, std::to_string(rule.tuned));
        EXPECT_EQ(event.revised, std::to_string(rule.revised));
        EXPECT_EQ(event.oldStep, 1);
        EXPECT_EQ(event.newStep, 1);
        EXPECT_EQ(event.tunedStep, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tuning, RuleOfThree,
    ::testing::Values(RuleCase{"UnchangedEverywhere", 5, 5, 5, false, false, 5},
                      RuleCase{"ChangedInTheNewRevisionOnly", 5, 5, 9, false, false, 9},
                      RuleCase{"TunedOnlyIsCarried", 5, 7, 5, true, false, 7},
                      RuleCase{"AllThreeDifferKeepsTheNewValue", 5, 7, 9, false, true, 9},
                      RuleCase{"TunedAsTheNewRevisionHasIt", 5, 9, 9, false, false, 9}),
    testing::BehaviourName());

TEST(Tuning, BothValuesOfAStepCarryTheirUnitTogether) {
    const std::vector<ListedColumns> base{stepNamed("R1", 1)};
    ListedColumns tuned = stepNamed("R1", 1);
    tuned.actualV = {.units = 480, .negative = false};
    tuned.unit.assign("M ");
    const TuningPlan plan = planTuning(base, std::vector{tuned}, base);
    EXPECT_EQ(plan.carriedColumns, 2U);
    EXPECT_EQ(plan.conflicts, 0U);
}

TEST(Tuning, AValueWhoseUnitTheOtherValueDoesNotShowIsAConflict) {
    const std::vector<ListedColumns> base{stepNamed("R1", 1)};
    ListedColumns tuned = stepNamed("R1", 1);
    tuned.actualV = {.units = 480, .negative = false};
    tuned.unit.assign("M ");
    ListedColumns revised = stepNamed("R1", 1);
    revised.standV = {.units = 100, .negative = false};
    // Actual-V would carry 4.80M beside the new revision's Stand-V 1.00K.
    const TuningPlan plan = planTuning(base, std::vector{tuned}, std::vector{revised});
    EXPECT_EQ(plan.carriedColumns, 0U);
    EXPECT_EQ(plan.conflicts, 2U);
    EXPECT_TRUE(plan.carried.empty());
    ASSERT_EQ(plan.events.size(), 2U);
    EXPECT_EQ(plan.events[0].kind, TuningKind::Conflict);
    EXPECT_EQ(plan.events[0].tuned, "4.80M");
    EXPECT_EQ(plan.events[0].revised, "4.70K");
}

TEST(Tuning, SkippedStepsTakeNothing) {
    ListedColumns skipped;
    skipped.step = 1;
    skipped.partsN.assign("*");
    skipped.skip = 1;
    ListedColumns tuned = skipped;
    tuned.avge = 10;
    const TuningPlan plan =
        planTuning(std::vector{skipped}, std::vector{tuned}, std::vector{skipped});
    EXPECT_TRUE(plan.carried.empty());
    EXPECT_TRUE(plan.events.empty());
}

TEST(Tuning, RepeatedNamesPairInOrder) {
    const std::vector<ListedColumns> base{stepNamed("R1", 1), stepNamed("R1", 2)};
    const std::vector<ListedColumns> tuned{stepNamed("R1", 1), stepNamed("R1", 2, 8)};
    const std::vector<ListedColumns> revised{stepNamed("C1", 1), stepNamed("R1", 2),
                                             stepNamed("R1", 3)};
    const TuningPlan plan = planTuning(base, tuned, revised);
    ASSERT_EQ(plan.carried.size(), 1U);
    EXPECT_EQ(plan.carried.front().converted.step, 3);
    EXPECT_EQ(plan.carried.front().tuned.upperLimit, 8);
}

TEST(Tuning, StepsGoneFromTheNewRevisionDropTheirTuning) {
    const std::vector<ListedColumns> base{stepNamed("R1", 1), stepNamed("R2", 2),
                                          stepNamed("R3", 3)};
    const std::vector<ListedColumns> tuned{stepNamed("R1", 1), stepNamed("R2", 2, 8),
                                           stepNamed("R3", 3)};
    const std::vector<ListedColumns> revised{stepNamed("R1", 1), stepNamed("R3", 2)};
    const TuningPlan plan = planTuning(base, tuned, revised);
    EXPECT_EQ(plan.droppedSteps, 1U);
    EXPECT_TRUE(plan.carried.empty());
    ASSERT_EQ(plan.events.size(), 1U);
    const TuningEvent& event = plan.events.front();
    EXPECT_EQ(event.kind, TuningKind::Dropped);
    EXPECT_EQ(event.partName, "R2");
    EXPECT_EQ(event.oldStep, 2);
    EXPECT_EQ(event.newStep, std::nullopt);
    EXPECT_EQ(event.tunedStep, 2);
    EXPECT_EQ(event.tuned, "8");
    EXPECT_EQ(event.revised, std::nullopt);
}

TEST(Tuning, StepsAddedAndRemovedOnTheTesterAreReported) {
    const std::vector<ListedColumns> base{stepNamed("R1", 1), stepNamed("R2", 2)};
    const std::vector<ListedColumns> tuned{stepNamed("R1", 1), stepNamed("R9", 2)};
    const TuningPlan plan = planTuning(base, tuned, base);
    ASSERT_EQ(plan.events.size(), 2U);
    EXPECT_EQ(plan.events[0].kind, TuningKind::RemovedOnTester);
    EXPECT_EQ(plan.events[0].partName, "R2");
    EXPECT_EQ(plan.events[0].oldStep, 2);
    EXPECT_EQ(plan.events[0].newStep, 2);
    EXPECT_EQ(plan.events[0].tunedStep, std::nullopt);
    EXPECT_EQ(plan.events[1].kind, TuningKind::AddedOnTester);
    EXPECT_EQ(plan.events[1].partName, "R9");
    EXPECT_EQ(plan.events[1].tunedStep, 2);
    EXPECT_EQ(plan.events[1].column, nullptr);
    EXPECT_TRUE(plan.carried.empty());
}

// The tester's listing is read alongside the old revision: a step that the tester moved ahead of
// its old place waits for it, the steps passed on the way that pair with nothing are added ones.
TEST(Tuning, AStepMovedAheadOnTheTesterKeepsItsTuning) {
    std::vector<ListedColumns> base;
    for (int index = 1; index <= 10; ++index) {
        base.push_back(stepNamed("R" + std::to_string(index), index));
    }
    std::vector<ListedColumns> tuned{stepNamed("R8", 1, 9), stepNamed("R99", 2)};
    for (int index = 1; index <= 10; ++index) {
        if (index != 8) {
            tuned.push_back(stepNamed("R" + std::to_string(index), std::ssize(tuned) + 1));
        }
    }
    const TuningPlan plan = planTuning(base, tuned, base);
    EXPECT_EQ(plan.carriedColumns, 1U);
    ASSERT_EQ(plan.carried.size(), 1U);
    EXPECT_EQ(plan.carried.front().converted.step, 8);
    ASSERT_EQ(plan.events.size(), 2U);
    EXPECT_EQ(plan.events[0].kind, TuningKind::Carried);
    EXPECT_EQ(plan.events[0].tunedStep, 1);
    EXPECT_EQ(plan.events[0].tuned, "9");
    EXPECT_EQ(plan.events[1].kind, TuningKind::AddedOnTester);
    EXPECT_EQ(plan.events[1].partName, "R99");
}

TEST(Tuning, AListingWithOtherStepsThanItsKeysIsRefused) {
    const std::vector<ListedColumns> steps{stepNamed("R1", 1), stepNamed("R2", 2)};
    for (const std::size_t listed : {std::size_t{1}, std::size_t{2}}) {
        std::size_t next = 0;
        // Keys of one step, a listing of `listed`; or keys of three, a listing of two.
        const std::size_t keys = listed == 1 ? 2 : 1;
        TuningPlanner planner(std::vector<StepIndex>(steps.size(), kUnpaired), keys,
                              std::vector<StepIndex>(steps.size(), kUnpaired), steps.size(),
                              [&]() { return next < listed ? &steps[next++] : nullptr; });
        for (const ListedColumns& step : steps) {
            planner.takeBase(step);
        }
        for (const ListedColumns& step : steps) {
            planner.carry(step);
        }
        EXPECT_THROW(planner.finish(), CarriedStepChanged) << listed;
    }
}

std::vector<ListedColumns> stepsOf(const std::string& listing) {
    MemorySource input(std::as_bytes(std::span(listing)));
    ListingReader reader(input, "BOARD.dat");
    std::vector<ListedColumns> steps;
    while (const ListedColumns* step = reader.next()) {
        steps.push_back(*step);
    }
    return steps;
}

// Carries a list of steps worked out beforehand, each at its step number.
class ListedCarry : public StepCarry {
  public:
    explicit ListedCarry(std::span<const CarriedStep> carried) : carried_(carried) {}

    bool wantsNext() const override {
        return next_ < carried_.size() && carried_[next_].converted.step == listed_ + 1;
    }
    void pass() override { ++listed_; }
    const CarriedStep* carry(const ListedColumns& columns) override {
        ++listed_;
        const CarriedStep& carried = carried_[next_++];
        EXPECT_EQ(columns, carried.converted);
        return &carried;
    }
    void finish() override { EXPECT_EQ(next_, carried_.size()); }

  private:
    std::span<const CarriedStep> carried_;
    std::size_t next_ = 0;
    std::int64_t listed_ = 0;
};

testing::ConvertedBoard convertCarrying(const std::string& board, DecodeOptions options,
                                        StepCarry& carry) {
    MemorySource input(std::as_bytes(std::span(board)));
    MemorySink listing;
    MemorySink icn;
    MemorySink icp;
    MemorySink scp;
    testing::ConvertedBoard converted;
    converted.summary =
        convertBoard(input, {.title = "BOARD", .options = options, .at = {}, .carry = &carry},
                     {listing, icn, icp, scp});
    converted.listing = listing.text();
    converted.icn = icn.text();
    converted.icp = icp.text();
    converted.scp = scp.text();
    return converted;
}

void expectSameOutputs(const testing::ConvertedBoard& one, const testing::ConvertedBoard& other) {
    EXPECT_EQ(one.listing, other.listing);
    EXPECT_EQ(one.icn, other.icn);
    EXPECT_EQ(one.icp, other.icp);
    EXPECT_EQ(one.scp, other.scp);
}

struct BoardCase {
    std::uint64_t seed;
    DecodeOptions options;
};

class CarryAtTheConvertedValues : public ::testing::TestWithParam<BoardCase> {};

// Every column of every step carried at the value the conversion gives it: the tuned line is
// written in each column's own style, so the four files are the conversion's, byte for byte.
TEST_P(CarryAtTheConvertedValues, WritesTheConversion) {
    const std::vector<std::byte> generated = generateBoard(GetParam().seed, 400);
    const std::string board(reinterpret_cast<const char*>(generated.data()), generated.size());
    const testing::ConvertedBoard plain = testing::convertInMemory(board, GetParam().options);
    std::uint32_t everyColumn = 0;
    for (const ColumnId id : tunedColumns()) {
        everyColumn |= columnBit(id);
    }
    std::vector<CarriedStep> carried;
    for (const ListedColumns& step : stepsOf(plain.listing)) {
        if (step.partsN.view() != "*") {
            carried.push_back({step, step, everyColumn});
        }
    }
    ASSERT_FALSE(carried.empty());
    ListedCarry carry(carried);
    expectSameOutputs(convertCarrying(board, GetParam().options, carry), plain);
}

INSTANTIATE_TEST_SUITE_P(
    Tuning, CarryAtTheConvertedValues,
    ::testing::Values(BoardCase{1, {}}, BoardCase{2, {.variant = TesterVariant::Kx740e}},
                      BoardCase{3, {.reversePins = true}},
                      BoardCase{4, {.variant = TesterVariant::Kx740e, .reversePins = true}}));

std::string listingOf(const std::string& header, const std::vector<ListedColumns>& steps) {
    MemorySink text;
    text.write(std::span(header.data(), header.size()));
    TextWriter writer(text);
    for (const ListedColumns& step : steps) {
        writeListedStep(step, writer);
    }
    writer.flush();
    return text.text();
}

class TunedColumnOfAGeneratedBoard : public ::testing::TestWithParam<BoardCase> {};

// The tester changed one column of one step and the new revision is the old one: exactly that
// column is carried, and the new listing is the tester's.
TEST_P(TunedColumnOfAGeneratedBoard, IsCarriedAlone) {
    const std::vector<std::byte> generated = generateBoard(GetParam().seed, 300);
    const std::string board(reinterpret_cast<const char*>(generated.data()), generated.size());
    const DecodeOptions options = GetParam().options;
    const testing::ConvertedBoard plain = testing::convertInMemory(board, options);
    const std::vector<ListedColumns> steps = stepsOf(plain.listing);
    std::size_t header = 0;
    for (int line = 0; line < 5; ++line) {
        header = plain.listing.find('\n', header) + 1;
    }
    for (const std::size_t index : {std::size_t{0}, steps.size() / 2, steps.size() - 1}) {
        if (steps[index].partsN.view() == "*") {
            continue;
        }
        for (const ColumnId id : tunedColumns()) {
            if (id == ColumnId::Type && options.variant == TesterVariant::Kx740e) {
                continue;
            }
            SCOPED_TRACE(::testing::Message()
                         << "step " << steps[index].step << ", " << listingColumn(id).heading);
            std::vector<ListedColumns> tuned = steps;
            tuneColumn(tuned[index], id);
            const TuningPlan plan = planTuning(steps, tuned, steps);
            EXPECT_EQ(plan.carriedColumns, 1U);
            EXPECT_EQ(plan.conflicts, 0U);
            ASSERT_EQ(plan.events.size(), 1U);
            EXPECT_EQ(plan.events.front().column, &listingColumn(id));
            ListedCarry carry(plan.carried);
            const testing::ConvertedBoard carried = convertCarrying(board, options, carry);
            EXPECT_EQ(carried.listing, listingOf(plain.listing.substr(0, header), tuned));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tuning, TunedColumnOfAGeneratedBoard,
    ::testing::Values(BoardCase{5, {}}, BoardCase{6, {.variant = TesterVariant::Kx740e}},
                      BoardCase{8, {.variant = TesterVariant::Kx740e, .reversePins = true}}));

RecordBuilder diodeStep(const std::string& name, const char* lc, int testerPin) {
    RecordBuilder step;
    step.name(name).lc(lc).typeCode(10).pins(testerPin, 0).mode('2');
    step.actual(700, 0x40).standard(650, 0x40).limits(30, 30);
    return step;
}

std::vector<RecordBuilder> icBoard(int thirdPin, const char* thirdLc) {
    std::vector<RecordBuilder> records;
    for (int pin = 1; pin <= 8; ++pin) {
        records.push_back(diodeStep("U1-" + std::to_string(pin), pin == 3 ? thirdLc : "D1",
                                    pin == 3 ? thirdPin : 20 + pin));
    }
    return records;
}

// A carried Hi-P and LC are what a record with that pin and LC would give: the .icp wires the
// pin to it and the settings file counts both.
TEST(Tuning, CarriedPinsAndLcCountAsConvertedOnes) {
    const std::string board = testing::recordsOf(icBoard(23, "D1"));
    const testing::ConvertedBoard plain = testing::convertInMemory(board);
    const std::vector<ListedColumns> steps = stepsOf(plain.listing);
    ListedColumns tuned = steps[2];
    tuned.pins[0] = 4000;
    tuned.lc.assign("Z9");
    const std::vector<CarriedStep> carried{
        {steps[2], tuned, columnBit(ColumnId::HiP) | columnBit(ColumnId::Lc)}};
    ListedCarry carry(carried);
    const testing::ConvertedBoard tunedRun = convertCarrying(board, {}, carry);
    expectSameOutputs(tunedRun, testing::convertInMemory(icBoard(4000, "Z9")));
    EXPECT_NE(tunedRun.scp.find("SCP /13 = 4000\r\n"), std::string::npos);
    EXPECT_NE(tunedRun.scp.find("SCP /28 = 26\r\n"), std::string::npos);
}

// The carry is worked out before the new revision is converted: a step that the conversion then
// lists under another part name than when its file was read first means that the file changed.
TEST(Tuning, AFileThatChangedSinceTheCarryWasWorkedOutIsNotConverted) {
    const std::vector<ListedColumns> steps =
        stepsOf(testing::convertInMemory(testing::recordsOf(icBoard(23, "D1"))).listing);
    std::vector<ListedColumns> tuned = steps;
    tuned[2].avge = 10;
    const auto keysOf = [](const std::vector<ListedColumns>& listed) {
        std::vector<std::uint64_t> keys;
        for (const ListedColumns& step : listed) {
            keys.push_back(stepKey(step.partsN.view()));
        }
        return keys;
    };
    std::size_t next = 0;
    TuningPlanner planner(pairSteps(keysOf(steps), keysOf(tuned)), tuned.size(),
                          pairSteps(keysOf(steps), keysOf(steps)), steps.size(),
                          [&]() { return next < tuned.size() ? &tuned[next++] : nullptr; });
    for (const ListedColumns& step : steps) {
        planner.takeBase(step);
    }
    planner.finishBase();
    std::vector<RecordBuilder> changed = icBoard(23, "D1");
    changed[2] = diodeStep("U9-3", "D1", 23);
    EXPECT_THROW(convertCarrying(testing::recordsOf(changed), {}, planner), CarriedStepChanged);
}

}  // namespace
}  // namespace zemra
