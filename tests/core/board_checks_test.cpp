// The checks of a board: each id reached by a crafted board, where it applies, and its bounds.
#include <gtest/gtest.h>

#include "behaviour_name.h"
#include "in_memory_conversion.h"
#include "report/report_recorder.h"

namespace zemra {
namespace {

using testing::convertInMemory;

BoardReport reportOf(const std::string& bytes, DecodeOptions options = {}) {
    ReportRecorder recorder({.options = options});
    const auto converted = convertInMemory(bytes, recorder, options);
    return recorder.finish({.committed = true, .summary = converted.summary});
}

BoardReport reportOf(const std::vector<RecordBuilder>& records, DecodeOptions options = {}) {
    return reportOf(testing::recordsOf(records), options);
}

struct Found {
    CheckId id;
    std::optional<std::uint64_t> offset;
    std::optional<std::int64_t> step;
    std::string sentencePart;  // a part of its sentence

    friend void PrintTo(const Found& found, std::ostream* out) {
        *out << checkIdText(found.id) << " at " << found.offset.value_or(0) << " step "
             << found.step.value_or(0) << ": " << found.sentencePart;
    }
};

struct CheckCase {
    std::string behaviour;
    std::vector<RecordBuilder> records;
    DecodeOptions options;
    std::vector<Found> expected;  // every check of the board, in order

    friend void PrintTo(const CheckCase& checkCase, std::ostream* out) {
        *out << checkCase.behaviour;
    }
};

constexpr DecodeOptions kKx740e{.variant = TesterVariant::Kx740e};

RecordBuilder named(const std::string& name) {
    return RecordBuilder().name(name).typeCode(1).pins(1, 2).limits(5, 5);
}

// An IC U1 with diode steps for pins 1 to 6 and 8 to tester pins 101 to 108 (pin 7 has none).
std::vector<RecordBuilder> icWithoutPin7() {
    std::vector<RecordBuilder> records;
    for (const int pin : {1, 2, 3, 4, 5, 6, 8}) {
        records.push_back(RecordBuilder()
                              .name("U1_" + std::to_string(pin))
                              .typeCode(10)
                              .pins(100 + pin, 1)
                              .limits(5, 5));
    }
    records.push_back(named("U1_0"));  // an eighth pin step of U1
    return records;
}

std::vector<CheckCase> checkCases() {
    std::vector<CheckCase> cases{
        {"EmptyNameWithoutSkipMarkIsDropped",
         {named("R1"), RecordBuilder()},
         {},
         {{CheckId::DroppedRecord, 64, std::nullopt, "its part name is empty"}}},
        {"NameBeginningWithADigitIsDropped",
         {RecordBuilder().name("1R5")},
         {},
         {{CheckId::DroppedRecord, 0, std::nullopt, "\"1R5\" begins with a digit"}}},
        {"NameBeginningWithAnotherByteIsDropped",
         {RecordBuilder().name("\xB0R")},
         {},
         {{CheckId::DroppedRecord, 0, std::nullopt, "begins with the byte 0xB0, not a letter"}}},
        {"SkipMarkWithoutNameIsASkippedStep",
         {named("R1"), RecordBuilder().skip()},
         {},
         {{CheckId::SkippedStep, 64, 2, "its part name is empty and it has the skip mark"}}},
        {"ActualRangeOutsideTheTable",
         {named("R1").actual(470, 0x1C)},
         {},
         {{CheckId::UnknownCode, 0, 1, "actual range code 0x1C names resistance range 12"}}},
        {"StandardRangeOutsideTheTable",
         {named("C1").standard(470, 0x2B)},
         {},
         {{CheckId::UnknownCode, 0, 1, "standard range code 0x2B names capacitance range 11"}}},
        {"RangeOfAZeroValueIsNeverRead", {named("R1").actual(0, 0x1C).standard(0, 0x3F)}, {}, {}},
        {"TypeCodeOutsideOneToFifteen",
         {named("R1").typeCode(16), named("R2").typeCode(-1), named("R3").typeCode(0)},
         {},
         {{CheckId::UnknownCode, 0, 1, "type code 0x10 is outside 1 to 15"},
          {CheckId::UnknownCode, 64, 2, "type code 0xFF"},
          {CheckId::UnknownCode, 128, 3, "type code 0x00"}}},
        {"ModeCodeOfAVoltageStep",
         {named("V1").standard(700, 0x40).mode('9')},
         {},
         {{CheckId::UnknownCode, 0, 1, "mode code 0x39 is outside \"1\" to \"6\""}}},
        {"ModeCodeOfAStepThatDoesNotReadIt", {named("R1").mode('9')}, {}, {}},
        {"ModeCodeOfADiodeStepGivenItsPrefix",
         {named("R8").typeCode(10).mode('9')},
         kKx740e,
         {{CheckId::UnknownCode, 0, 1, "mode code 0x39"}}},
        {"ModeCodeOfADiodeStepWithoutPrefix", {named("D4").typeCode(10).mode('9')}, kKx740e, {}},
        {"ModeCodeOfADiodeStepUnderFeFr", {named("R8").typeCode(10).mode('9')}, {}, {}},
        {"LimitCodesOtherThanAsReadAndZero",
         {named("R1").limits(5, 5, 0x05, 0x71), named("R2").limits(5, 5, 0x00, 0x00),
          named("R3").limits(5, 5, 0x71, 0xFF)},
         {},
         {{CheckId::UnknownCode, 0, 1, "upper limit code 0x05 is neither 0x71 nor 0x00"},
          {CheckId::UnknownCode, 128, 3, "lower limit code 0xFF"}}},
        {"HiAndLoOnOneTesterPin",
         {named("R1").pins(7, 7)},
         {},
         {{CheckId::SameHiLoPin, 0, 1, "both tester pin 7"}}},
        {"PartNameOfAnEarlierStep",
         {named("R1"), RecordBuilder().skip(), named("R2"), named("R1")},
         {},
         {{CheckId::SkippedStep, 64, 2, ""},
          {CheckId::DuplicatePartName, 192, 4, "\"R1\" is also the name of step 1"}}},
        {"PartNamesCompareAsListed",
         {named("VR3").typeCode(2), named("RVR3").typeCode(2)},
         kKx740e,
         {{CheckId::DuplicatePartName, 64, 2, ""}}},
        {"IcPinWithoutTesterPin",
         icWithoutPin7(),
         {},
         {{CheckId::UnresolvedIcPin, std::nullopt, std::nullopt,
           "IC \"U1\": 1 of its 8 pins have tester pin 0 in the .icp: 7 (ICP 7)"}}},
    };
    std::vector<RecordBuilder> ignored = icWithoutPin7();
    // Pairs into pins 1 (known, at another tester pin), 213 and 314, 13, 12 and 14: five beyond
    // the pin count.
    ignored.push_back(RecordBuilder().name("U1_1213").typeCode(13).pins(501, 502).limits(5, 5));
    ignored.push_back(RecordBuilder().name("U1_1314").typeCode(13).pins(502, 503).limits(5, 5));
    cases.push_back(
        {"JPinBeyondThePinCount",
         ignored,
         {},
         {{CheckId::UnresolvedIcPin, std::nullopt, std::nullopt, ""},
          // The pin they share, 1, at tester pin 502; diode step 1 gave it 101.
          {CheckId::ConflictingPinSource, 512, 9,
           "pin 1 (ICP 1): diode step 1 \"U1_1\" gives tester pin 101, J step 9 \"U1_1213\" "
           "gives tester pin 502"},
          {CheckId::IgnoredJPin, 512, 9, "J step \"U1_1213\" found pin 213"},
          {CheckId::IgnoredJPin, 576, 10, "found pin 314 of IC \"U1\" at tester pin 503"},
          {CheckId::IgnoredJPin, 512, 9, "pin 13 "},
          {CheckId::IgnoredJPin, 512, 9, "pin 12 "},
          {CheckId::IgnoredJPin, 576, 10,
           "pin 14 of IC \"U1\" at tester pin 503, "
           "beyond its pin count 8"}}});
    const auto withJStep = [](std::vector<RecordBuilder> records, int hiPin, int loPin) {
        records.push_back(
            RecordBuilder().name("U1_12").typeCode(13).pins(hiPin, loPin).limits(5, 5));
        return records;
    };
    const Found pin7{CheckId::UnresolvedIcPin, std::nullopt, std::nullopt, "7 (ICP 7)"};
    // Pin 2's tester pin 102 at one end gives pin 1 the other end.
    cases.push_back({"DiodeAndJStepsGiveOnePinDifferentTesterPins",
                     withJStep(icWithoutPin7(), 102, 150),
                     {},
                     {pin7,
                      {CheckId::ConflictingPinSource, 512, 9,
                       "IC \"U1\" pin 1 (ICP 1): diode step 1 \"U1_1\" gives tester pin 101, "
                       "J step 9 \"U1_12\" gives tester pin 150; the .icp has 150"}}});
    cases.push_back(
        {"DiodeAndJStepsThatAgreeGiveNoCheck", withJStep(icWithoutPin7(), 102, 101), {}, {pin7}});
    std::vector<RecordBuilder> twice = icWithoutPin7();
    twice.push_back(RecordBuilder().name("U1_1").typeCode(10).pins(150, 1).limits(5, 5));
    cases.push_back({"EarlierDiodeStepOfThePinDisagrees",
                     withJStep(twice, 102, 150),
                     {},
                     {{CheckId::DuplicatePartName, 512, 9, ""},
                      pin7,
                      {CheckId::ConflictingPinSource, 576, 10,
                       "diode step 1 \"U1_1\" gives tester pin 101, J step 10 \"U1_12\" gives "
                       "tester pin 150"}}});
    cases.push_back(
        {"JStepOfAnotherIcIsNoConflict",
         [&] {
             std::vector<RecordBuilder> records = icWithoutPin7();
             records.push_back(
                 RecordBuilder().name("U9_12").typeCode(13).pins(102, 150).limits(5, 5));
             return records;
         }(),
         {},
         {pin7}});
    return cases;
}

class BoardChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(BoardChecks, AreFoundWhereTheyApply) {
    const CheckCase& checkCase = GetParam();
    const BoardReport report = reportOf(checkCase.records, checkCase.options);
    const std::vector<Check>& listed = report.checks.listed();
    ASSERT_EQ(listed.size(), checkCase.expected.size());
    for (std::size_t index = 0; index < listed.size(); ++index) {
        const Found& expected = checkCase.expected[index];
        EXPECT_EQ(checkIdText(listed[index].id), checkIdText(expected.id)) << index;
        EXPECT_EQ(listed[index].offset, expected.offset) << index;
        EXPECT_EQ(listed[index].step, expected.step) << index;
        EXPECT_NE(listed[index].sentence.find(expected.sentencePart), std::string::npos)
            << listed[index].sentence;
    }
}

INSTANTIATE_TEST_SUITE_P(Crafted, BoardChecks, ::testing::ValuesIn(checkCases()),
                         testing::BehaviourName());

TEST(BoardChecks, TrailingBytesAreAPartialRecord) {
    const BoardReport report =
        reportOf(testing::recordsOf({named("R1")}) + std::string(36, '\x41'));
    ASSERT_EQ(report.checks.listed().size(), 1U);
    const Check& check = report.checks.listed()[0];
    EXPECT_EQ(check.id, CheckId::PartialRecord);
    EXPECT_EQ(check.offset, 64U);
    EXPECT_EQ(check.step, std::nullopt);
    EXPECT_NE(check.sentence.find("the last 36 bytes"), std::string::npos);
}

TEST(BoardChecks, OfOneIdBeyondTheBoundAreCountedNotListed) {
    std::vector<RecordBuilder> records(CheckList::kMostListed + 5, RecordBuilder().skip());
    records.push_back(RecordBuilder());
    const BoardReport report = reportOf(records);
    EXPECT_EQ(report.checks.listed().size(), CheckList::kMostListed + 1);
    EXPECT_EQ(report.checks.found(CheckId::SkippedStep), CheckList::kMostListed + 5);
    EXPECT_EQ(report.checks.notListed(CheckId::SkippedStep), 5U);
    EXPECT_EQ(report.checks.notListed(CheckId::DroppedRecord), 0U);
    EXPECT_EQ(report.checks.listed().back().id, CheckId::DroppedRecord);
}

// Checks appended from a later list count and are listed as if they had been added in turn.
TEST(BoardChecks, AppendedChecksKeepTheBoundOfTheirId) {
    const auto checksOf = [](std::size_t skipped, std::size_t dropped) {
        CheckList checks;
        for (std::size_t at = 0; at < skipped; ++at) {
            checks.add(CheckId::SkippedStep, at, std::nullopt, [] { return "s"; });
        }
        for (std::size_t at = 0; at < dropped; ++at) {
            checks.add(CheckId::DroppedRecord, at, std::nullopt, [] { return "d"; });
        }
        return checks;
    };
    CheckList first = checksOf(CheckList::kMostListed - 1, 1);
    first.append(checksOf(3, 1));
    EXPECT_EQ(first.found(CheckId::SkippedStep), CheckList::kMostListed + 2);
    EXPECT_EQ(first.notListed(CheckId::SkippedStep), 2U);
    EXPECT_EQ(first.found(CheckId::DroppedRecord), 2U);
    ASSERT_EQ(first.listed().size(), CheckList::kMostListed + 2);
    EXPECT_EQ(first.listed()[CheckList::kMostListed].id, CheckId::SkippedStep);
    EXPECT_EQ(first.listed().back().id, CheckId::DroppedRecord);
}

class CheckAdvice : public ::testing::TestWithParam<CheckId> {};

TEST_P(CheckAdvice, IsOneSentenceOfWhatToDo) {
    const std::string_view advice = adviceOf(GetParam());
    ASSERT_GT(advice.size(), 20U);
    EXPECT_TRUE(advice.front() >= 'A' && advice.front() <= 'Z') << advice;
    EXPECT_EQ(advice.back(), '.');
    EXPECT_EQ(advice.find(". "), std::string_view::npos) << advice;
}

std::string idName(const ::testing::TestParamInfo<CheckId>& id) {
    std::string name;
    for (const char letter : checkIdText(id.param)) {
        name += letter == '-' ? '_' : letter;
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryId, CheckAdvice, ::testing::ValuesIn(kCheckIds), idName);

}  // namespace
}  // namespace zemra
