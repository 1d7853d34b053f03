#include <gtest/gtest.h>

#include "in_memory_conversion.h"

namespace zemra {
namespace {

using testing::InMemoryConversion;

PinStep pinStep(const char* name, std::int8_t typeCode, const char* lc = "A1") {
    return {name, lc, 1, 2, 3, typeCode};
}

void buildDeviceLists(InMemoryConversion& run) {
    run.conversion().BuildDeviceList();
    run.conversion().FindIcDevices();
    run.conversion().CollectIcDiodeSteps();
    run.conversion().CollectIcJSteps();
}

TEST(DeviceLists, GroupPinStepsByDeviceInOrderOfFirstAppearance) {
    InMemoryConversion run;
    auto& steps = run.lists().pinSteps;
    const std::int8_t u1Codes[] = {10, 10, 11, 13, 14, 12, 10, 1};
    steps.push_back(pinStep("U1", u1Codes[0], "B1"));
    steps.push_back(pinStep("R5", 4));
    for (int index = 1; index < 8; ++index) {
        steps.push_back(pinStep("U1", u1Codes[index], "C2"));
        if (index <= 3) {
            steps.push_back(pinStep("U2", 10));
        }
    }
    buildDeviceLists(run);
    const ConversionLists& lists = run.lists();
    EXPECT_EQ(lists.deviceList,
              (std::vector<DeviceEntry>{{"U1", "B1"}, {"R5", "A1"}, {"U2", "A1"}}));
    EXPECT_EQ(lists.icDevices, (std::vector<IcDevice>{{"U1", "B1"}}));
    ASSERT_EQ(lists.icDiodeSteps.size(), 4U);
    EXPECT_EQ(lists.icDiodeSteps[2].typeCode, 11);
    EXPECT_EQ(lists.icDiodeSteps[2].lc, "C2");
    ASSERT_EQ(lists.icJSteps.size(), 2U);
    EXPECT_EQ(lists.icJSteps[0].typeCode, 13);
    EXPECT_EQ(lists.icJSteps[1].done, 0);
}

TEST(DeviceLists, ThresholdIsEightStepsOfExactlyTheSameName) {
    InMemoryConversion run;
    auto& steps = run.lists().pinSteps;
    for (int index = 0; index < 7; ++index) {
        steps.push_back(pinStep("U7", 10));
        steps.push_back(pinStep("U8", 10));
        steps.push_back(pinStep("u8", 10));
    }
    steps.push_back(pinStep("U8", 12));
    steps.push_back(pinStep("", 12));
    buildDeviceLists(run);
    EXPECT_EQ(run.lists().icDevices, (std::vector<IcDevice>{{"U8", "A1"}}));
    EXPECT_EQ(run.lists().icDiodeSteps.size(), 7U);
    EXPECT_EQ(run.lists().deviceList.size(), 4U);
    EXPECT_TRUE(run.conversion().HasDevice(""));
    EXPECT_FALSE(run.conversion().HasDevice("U9"));
}

}  // namespace
}  // namespace zemra
