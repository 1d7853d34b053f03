// The layout rule both dialogs share: a label that does not fit widens its control to the right,
// as far as it needs and as far as there is room.
#include "label_widths.h"

#include <gtest/gtest.h>

#include "behaviour_name.h"

namespace zemra::app {
namespace {

struct WideningCase {
    const char* behaviour;
    std::vector<LabelledControl> controls;
    std::vector<int> widths;

    friend void PrintTo(const WideningCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

class LabelWidening : public ::testing::TestWithParam<WideningCase> {};

TEST_P(LabelWidening, GivesEachControlTheWidthItsLabelNeedsWhereThereIsRoom) {
    constexpr int kClientWidth = 300;
    EXPECT_EQ(widthsToFitLabels(GetParam().controls, kClientWidth), GetParam().widths);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, LabelWidening,
    ::testing::Values(
        WideningCase{"FittingLabelKeepsItsWidth", {{10, 10, 80, 20, 60}}, {80}},
        WideningCase{"LongLabelWidensAsFarAsItNeeds", {{10, 10, 80, 20, 120}}, {120}},
        WideningCase{"ClientEdgeStopsIt", {{200, 10, 80, 20, 150}}, {100}},
        WideningCase{
            "ControlBesideItStopsIt", {{10, 10, 80, 20, 200}, {150, 25, 50, 20, 0}}, {140, 50}},
        WideningCase{
            "ControlOnAnotherRowDoesNot", {{10, 10, 80, 20, 200}, {150, 30, 50, 20, 0}}, {200, 50}},
        WideningCase{
            "ControlToItsLeftDoesNot", {{100, 10, 80, 20, 150}, {10, 10, 50, 20, 0}}, {150, 50}}),
    zemra::testing::BehaviourName());

}  // namespace
}  // namespace zemra::app
