// The maps of the board page: which ICs get one, in which order, and the pins each draws.
#include <gtest/gtest.h>

#include "ic_map_plan.h"
#include "traced_boards.h"

namespace zemra::cli {
namespace {

using testing::icWithDiodePins;
using testing::reportOf;

TEST(IcMapPlan, DrawnPinsNameTheStepThatGaveEach) {
    auto records = icWithDiodePins("U1", {1, 2, 3, 4, 5, 6, 8});
    // The J step between pins 8 and 9 shares tester pin 108 with diode pin 8: it gives pin 9.
    records.push_back(RecordBuilder().name("U1_89").typeCode(13).pins(108, 109));
    const BoardReport report = reportOf(records);
    const IcMapPlan maps(report);
    ASSERT_EQ(report.icCount(), 1U);
    const std::vector<DrawnPin> pins = maps.drawnPins(0);
    ASSERT_EQ(pins.size(), 9U);
    EXPECT_EQ(pins[0].origin, PinOrigin::Diode);
    EXPECT_EQ(pins[0].testerPin, 101);
    EXPECT_EQ(pins[0].source->step, 2);
    EXPECT_EQ(pins[0].source->offset, 64U);
    EXPECT_EQ(pins[6].origin, PinOrigin::None);
    EXPECT_EQ(pins[6].testerPin, 0);
    EXPECT_FALSE(pins[6].source);
    EXPECT_EQ(pins[8].origin, PinOrigin::J);
    EXPECT_EQ(pins[8].testerPin, 109);
    EXPECT_EQ(pins[8].source->partName.view(), "U1_89");
    EXPECT_EQ(maps.pinsNotDrawn(0), 0);
}

TEST(IcMapPlan, PinWhoseStepGaveTesterPin0IsDrawnUnresolved) {
    auto records = icWithDiodePins("U1", {1, 2, 3, 4, 5, 6, 7, 8});
    // Diode pin 8 at tester pin 108 gives pin 9 the other end: tester pin 0.
    records.push_back(RecordBuilder().name("U1_89").typeCode(13).pins(108, 0));
    const BoardReport report = reportOf(records);
    const IcMapPlan maps(report);
    const std::vector<DrawnPin> pins = maps.drawnPins(0);
    ASSERT_EQ(pins.size(), 9U);
    EXPECT_EQ(pins[8].testerPin, 0);
    EXPECT_EQ(pins[8].origin, PinOrigin::None);
    ASSERT_TRUE(pins[8].source);
    EXPECT_EQ(pins[8].source->partName.view(), "U1_89");
}

TEST(IcMapPlan, PinCountBeyondTheBoundDrawsOnlyItsFirstPins) {
    const BoardReport report = reportOf(icWithDiodePins("U", {1, 2, 3, 4, 5, 6, 7, 4000}));
    const IcMapPlan maps(report);
    ASSERT_EQ(report.icCount(), 1U);
    EXPECT_EQ(report.outcome.summary->ics[0].pinCount, 4000);
    const std::vector<DrawnPin> pins = maps.drawnPins(0);
    ASSERT_EQ(pins.size(), static_cast<std::size_t>(kMostDrawnPins));
    EXPECT_EQ(pins.back().pin, kMostDrawnPins);
    EXPECT_EQ(pins[6].testerPin, 107);
    EXPECT_EQ(pins[7].origin, PinOrigin::None);
    EXPECT_EQ(maps.pinsNotDrawn(0), 4000 - kMostDrawnPins);
}

TEST(IcMapPlan, IcsBeyondThePinsOfABoardGetNoMap) {
    // ICs of 500 pins each, a diode step for pin 1 to 7 and one for pin 500.
    std::vector<RecordBuilder> records;
    const std::size_t ics = kMostPinsPerBoard / 500 + 2;
    for (std::size_t ic = 0; ic < ics; ++ic) {
        const auto pins = icWithDiodePins("U" + std::to_string(ic + 1), {1, 2, 3, 4, 5, 6, 7, 500});
        records.insert(records.end(), pins.begin(), pins.end());
    }
    const BoardReport report = reportOf(records);
    const IcMapPlan maps(report);
    ASSERT_EQ(report.icCount(), ics);
    ASSERT_EQ(maps.mappedIcs().size(), static_cast<std::size_t>(kMostPinsPerBoard / 500));
    const std::size_t firstWithoutMap = maps.mappedIcs().size();
    EXPECT_EQ(maps.mappedIcs().back(), firstWithoutMap - 1);
    EXPECT_EQ(maps.drawnPins(firstWithoutMap - 1).size(), 500U);
    EXPECT_TRUE(maps.drawnPins(firstWithoutMap).empty());
    EXPECT_FALSE(maps.hasMap(firstWithoutMap));
    // The page's data still holds its pins, for a map drawn on demand.
    EXPECT_EQ(drawnPinsOf(report.traceOf(firstWithoutMap)->table, report.pinSteps).size(), 500U);
    EXPECT_EQ(maps.pinsNotDrawn(firstWithoutMap), 500);
}

// The maps of ICs with an error or a warning come first, wherever those ICs stand on the board.
TEST(IcMapPlan, IcsWithProblemsGetTheirMapsFirst) {
    std::vector<RecordBuilder> records;
    const std::size_t cleanIcs = kMostPinsPerBoard / 8 + 1;
    for (std::size_t ic = 0; ic < cleanIcs; ++ic) {
        const auto pins = icWithDiodePins("U" + std::to_string(ic + 1), {1, 2, 3, 4, 5, 6, 7, 8});
        records.insert(records.end(), pins.begin(), pins.end());
    }
    // Pin 8 of the last IC has no step: an unresolved pin, an error.
    const auto unresolved = icWithDiodePins("X1", {1, 2, 3, 4, 5, 6, 7, 9});
    records.insert(records.end(), unresolved.begin(), unresolved.end());
    const BoardReport report = reportOf(records);
    const IcMapPlan maps(report);
    ASSERT_EQ(report.icCount(), cleanIcs + 1);
    ASSERT_FALSE(maps.mappedIcs().empty());
    EXPECT_EQ(maps.mappedIcs().front(), cleanIcs);
    EXPECT_TRUE(maps.hasMap(cleanIcs));
    EXPECT_EQ(maps.mappedIcs()[1], 0U);
    EXPECT_FALSE(maps.hasMap(cleanIcs - 1));
}

// Every record up to the bound, and after it those that a pin step or a listed check names.
}  // namespace
}  // namespace zemra::cli
