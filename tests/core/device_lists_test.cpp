// Device lists: grouping the pin steps by device, the IC devices and their diode and J steps.
#include "devices/device_lists.h"

#include <gtest/gtest.h>

namespace zemra {
namespace {

class DeviceLists : public ::testing::Test {
  protected:
    PinStep step(const char* name, std::int8_t typeCode, const char* lc = "A1", int pin = 3) {
        return {.name = names.intern(name),
                .lc = LcCode(lc),
                .typeCode = static_cast<TypeCode>(typeCode),
                .hiPin = 1,
                .loPin = 2,
                .pinNumber = pin};
    }
    Device device(const char* name, const char* lc) { return {names.intern(name), LcCode(lc)}; }

    NameTable names;
};

TEST_F(DeviceLists, GroupPinStepsByDeviceInOrderOfFirstAppearance) {
    std::vector<PinStep> steps;
    const std::int8_t u1Codes[] = {10, 10, 11, 13, 14, 12, 10, 1};
    steps.push_back(step("U1", u1Codes[0], "B1", 1));
    steps.push_back(step("R5", 4));
    for (int index = 1; index < 8; ++index) {
        steps.push_back(step("U1", u1Codes[index], "C2", index + 1));
        if (index <= 3) {
            steps.push_back(step("U2", 10));
        }
    }
    const auto deviceList = BuildDeviceList(steps);
    EXPECT_EQ(deviceList, (std::vector<DeviceEntry>{device("U1", "B1"), device("R5", "A1"),
                                                    device("U2", "A1")}));
    const auto icDevices = FindIcDevices(deviceList, steps);
    EXPECT_EQ(icDevices, (std::vector<IcDevice>{device("U1", "B1")}));
    const auto diodeSteps = CollectIcDiodeSteps(icDevices, steps);
    ASSERT_EQ(diodeSteps.size(), 4U);
    EXPECT_EQ(diodeSteps[2].pinNumber, 3);  // step order within the device
    EXPECT_EQ(diodeSteps[2].lc, LcCode("C2"));
    const auto jSteps = CollectIcJSteps(icDevices, steps);
    ASSERT_EQ(jSteps.size(), 2U);
    EXPECT_EQ(jSteps[0].typeCode, TypeCode::J13);
    EXPECT_EQ(jSteps[1].typeCode, TypeCode::J14);
}

TEST_F(DeviceLists, ThresholdIsEightStepsOfExactlyTheSameName) {
    std::vector<PinStep> steps;
    for (int index = 0; index < 7; ++index) {
        steps.push_back(step("U7", 10));
        steps.push_back(step("U8", 10));
        steps.push_back(step("u8", 10));
    }
    steps.push_back(step("U8", 12));
    steps.push_back(step("", 12));
    const auto deviceList = BuildDeviceList(steps);
    EXPECT_EQ(deviceList.size(), 4U);
    const auto icDevices = FindIcDevices(deviceList, steps);
    EXPECT_EQ(icDevices, (std::vector<IcDevice>{device("U8", "A1")}));
    EXPECT_EQ(CollectIcDiodeSteps(icDevices, steps).size(), 7U);
}

TEST_F(DeviceLists, IcsAreCollectedInTheirOrderWhateverTheStepOrder) {
    // U2's steps come first, but U1 is the first device, so its diode steps lead.
    std::vector<PinStep> steps{step("U1", 12)};
    for (int index = 0; index < 8; ++index) {
        steps.push_back(step("U2", 10, "A1", 20 + index));
    }
    for (int index = 0; index < 8; ++index) {
        steps.push_back(step("U1", 10, "A1", 10 + index));
    }
    const auto icDevices = FindIcDevices(BuildDeviceList(steps), steps);
    const auto diodeSteps = CollectIcDiodeSteps(icDevices, steps);
    ASSERT_EQ(diodeSteps.size(), 16U);
    EXPECT_EQ(diodeSteps.front().pinNumber, 10);
    EXPECT_EQ(diodeSteps.back().pinNumber, 27);
}

TEST_F(DeviceLists, EmptyPinStepsGiveEmptyLists) {
    const std::vector<PinStep> none;
    EXPECT_TRUE(BuildDeviceList(none).empty());
    EXPECT_TRUE(FindIcDevices({}, none).empty());
    EXPECT_TRUE(CollectIcJSteps({}, none).empty());
}

}  // namespace
}  // namespace zemra
