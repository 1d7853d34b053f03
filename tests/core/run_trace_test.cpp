// A traced run: every record seen once, in order, and every pin naming the pin step it came from.
#include <gtest/gtest.h>

#include <map>

#include "in_memory_conversion.h"

namespace zemra {
namespace {

using testing::convertInMemory;

struct SeenRecord {
    std::uint64_t ordinal;
    StepKind kind;
    std::int64_t step;
    std::string partsN;
    std::optional<PinStepOrdinal> pinStep;
};

class RecordsSeen : public RecordObserver {
  public:
    void observe(const RecordTrace& trace) override {
        seen.push_back({trace.ordinal, trace.kind, trace.fields.step,
                        std::string(trace.fields.partsN.view()), trace.pinStep});
        EXPECT_EQ(decodeRecord(trace.bytes).partName, trace.record.partName);
        EXPECT_EQ(recordsSeenCalls, 0) << "a record after the last";
    }
    void recordsSeen(const ConversionSummary& /*counted*/) override {
        ++recordsSeenCalls;
        EXPECT_EQ(tablesTaken, 0U) << "told after the pin tables";
    }
    bool takeIc(const IcTrace& /*ic*/) override {
        ++tablesTaken;
        return false;
    }
    // The part name of the record that gave each pin step.
    std::map<PinStepOrdinal, std::string> partNameByPinStep() const {
        std::map<PinStepOrdinal, std::string> names;
        for (const SeenRecord& record : seen) {
            if (record.pinStep) {
                names[*record.pinStep] = record.partsN;
            }
        }
        return names;
    }

    std::vector<SeenRecord> seen;
    int recordsSeenCalls = 0;
    std::size_t tablesTaken = 0;
};

// U1 with diode steps for pins 1 to 8 at tester pins 101 to 108, the one for pin 4 given twice,
// between records that give no pin step; then J steps.
std::vector<RecordBuilder> board(std::vector<RecordBuilder> jSteps) {
    std::vector<RecordBuilder> records{RecordBuilder().name("R1").typeCode(1).pins(1, 2),
                                       RecordBuilder().skip(), RecordBuilder().name("1X")};
    for (int pin = 1; pin <= 8; ++pin) {
        records.push_back(
            RecordBuilder().name("U1_" + std::to_string(pin)).typeCode(10).pins(100 + pin, 1));
        records.push_back(RecordBuilder().name("C" + std::to_string(pin)).typeCode(4));
    }
    records.push_back(RecordBuilder().name("U1_4B").typeCode(11).pins(104, 1));
    records.insert(records.end(), jSteps.begin(), jSteps.end());
    return records;
}

TEST(RunTrace, EveryRecordIsSeenOnceInOrderWithItsStepAndPinStep) {
    RecordsSeen observer;
    const auto records = board({RecordBuilder().name("U1_910").typeCode(13).pins(109, 108)});
    const auto traced = convertInMemory(records, observer);
    ASSERT_EQ(observer.seen.size(), records.size());
    for (std::uint64_t ordinal = 0; ordinal < records.size(); ++ordinal) {
        EXPECT_EQ(observer.seen[ordinal].ordinal, ordinal);
    }
    EXPECT_EQ(observer.seen[0].step, 1);
    EXPECT_EQ(observer.seen[1].kind, StepKind::Skipped);
    EXPECT_EQ(observer.seen[1].step, 2);
    EXPECT_EQ(observer.seen[2].kind, StepKind::Dropped);
    EXPECT_EQ(observer.seen[3].step, 3);
    EXPECT_EQ(observer.seen[3].pinStep, 0U);
    EXPECT_EQ(observer.seen[4].pinStep, std::nullopt);
    EXPECT_EQ(observer.seen.back().pinStep, 9U);
    // Tracing changes no output.
    const auto plain = convertInMemory(records);
    EXPECT_EQ(traced.listing, plain.listing);
    EXPECT_EQ(traced.icp, plain.icp);
}

TEST(RunTrace, ObserverIsToldOnceAfterTheLastRecordBeforeThePinTables) {
    RecordsSeen observer;
    convertInMemory(board({RecordBuilder().name("U1_910").typeCode(13).pins(109, 108)}), observer);
    EXPECT_EQ(observer.recordsSeenCalls, 1);
    EXPECT_EQ(observer.tablesTaken, 1U);
}

TEST(RunTrace, EachFoundPinNamesTheStepThatGaveIt) {
    RecordsSeen observer;
    // The J step between pins 8 and 9 shares tester pin 108 with diode pin 8: it gives pin 9.
    const auto traced = convertInMemory(
        board({RecordBuilder().name("U1_89").typeCode(13).pins(108, 109)}), observer);
    ASSERT_EQ(traced.summary.icPinTables.size(), 1U);
    const auto names = observer.partNameByPinStep();
    std::map<int, std::string> sourceOfPin;
    for (const PinSlot& slot : traced.summary.icPinTables[0].foundPins) {
        sourceOfPin[slot.pin] = names.at(slot.pinStep);
    }
    EXPECT_EQ(sourceOfPin.at(1), "U1_1");
    EXPECT_EQ(sourceOfPin.at(4), "U1_4B");  // the later of two diode steps for pin 4
    EXPECT_EQ(sourceOfPin.at(9), "U1_89");  // from the J step that matched known pin 8
    EXPECT_EQ(traced.summary.ics[0].pinCount, 9);
}

TEST(RunTrace, IgnoredJPinsAreKeptOnlyWhenTraced) {
    RecordsSeen observer;
    const auto records = board({RecordBuilder().name("U1_1213").typeCode(13).pins(501, 502),
                                RecordBuilder().name("U1_1314").typeCode(13).pins(502, 503)});
    const auto traced = convertInMemory(records, observer);
    const auto names = observer.partNameByPinStep();
    std::vector<std::pair<int, std::string>> ignored;
    for (const IgnoredJPin& pin : traced.summary.ignoredJPinList) {
        EXPECT_EQ(pin.ic, 0U);
        ignored.emplace_back(pin.pinNumber, names.at(pin.pinStep));
    }
    EXPECT_EQ(ignored, (std::vector<std::pair<int, std::string>>{{213, "U1_1213"},
                                                                 {314, "U1_1314"},
                                                                 {13, "U1_1213"},
                                                                 {12, "U1_1213"},
                                                                 {14, "U1_1314"}}));
    const auto plain = convertInMemory(records);
    EXPECT_EQ(plain.summary.ignoredJPins, 5U);
    EXPECT_TRUE(plain.summary.ignoredJPinList.empty());
    EXPECT_TRUE(plain.summary.icPinTables.empty());
}

// An observer that explains pins: the same run keeps, for each IC, what told its tester pins.
class PinSourcesWanted : public RecordsSeen {
  public:
    bool wantsPinSources() const override { return true; }
};

TEST(RunTrace, PinSourcesAreKeptOnlyForAnObserverThatWantsThem) {
    const auto records = board({RecordBuilder().name("U1_89").typeCode(13).pins(108, 109)});
    RecordsSeen plain;
    EXPECT_TRUE(convertInMemory(records, plain).summary.icPinSources.empty());
    PinSourcesWanted wanting;
    const auto traced = convertInMemory(records, wanting);
    ASSERT_EQ(traced.summary.icPinSources.size(), 1U);
    const IcPinSources& sources = traced.summary.icPinSources[0];
    const auto names = wanting.partNameByPinStep();
    EXPECT_EQ(sources.commonPin, 1);
    ASSERT_EQ(sources.diodeSteps.size(), 9U);
    EXPECT_EQ(names.at(sources.diodeSteps[8].pinStep), "U1_4B");
    ASSERT_EQ(sources.diodePins.size(), 9U);
    ASSERT_EQ(sources.jSteps.size(), 1U);
    EXPECT_EQ(names.at(sources.jSteps[0].pinStep), "U1_89");
    // The J step gives pin 9 at tester pin 109 (and raises the pin count to 9).
    ASSERT_EQ(sources.jPins.size(), 1U);
    EXPECT_EQ(sources.jPins[0].pinNumber, 9);
    EXPECT_EQ(sources.jPins[0].testerPin, 109);
    EXPECT_TRUE(sources.pairsJSteps);
    // The outputs are the same whatever the observer wants.
    RecordsSeen again;
    EXPECT_EQ(traced.icp, convertInMemory(records, again).icp);
}

}  // namespace
}  // namespace zemra
