// Device lists: grouping the pin steps by device, the IC devices and their diode and J steps.
#include "devices/device_lists.h"

#include <gtest/gtest.h>

namespace zemra {
namespace {

class DeviceLists : public ::testing::Test {
  protected:
    void step(const char* name, std::int8_t typeCode, const char* lc = "A1", int pin = 3) {
        pinSteps.append({.name = names.intern(name),
                         .lc = LcCode(lc),
                         .typeCode = static_cast<TypeCode>(typeCode),
                         .hiPin = 1,
                         .loPin = 2,
                         .pinNumber = pin});
    }
    Device device(const char* name, const char* lc) { return {names.intern(name), LcCode(lc)}; }

    NameTable names;
    PinStepList pinSteps;
};

std::vector<DeviceStep> stepsOf(const IcSteps& icSteps) {
    std::vector<DeviceStep> steps;
    for (std::size_t ic = 0; ic < icSteps.icCount(); ++ic) {
        for (const DeviceStep& step : icSteps.of(ic)) {
            steps.push_back(step);
        }
    }
    return steps;
}

TEST_F(DeviceLists, GroupPinStepsByDeviceInOrderOfFirstAppearance) {
    const std::int8_t u1Codes[] = {10, 10, 11, 13, 14, 12, 10, 1};
    step("U1", u1Codes[0], "B1", 1);
    step("R5", 4);
    for (int index = 1; index < 8; ++index) {
        step("U1", u1Codes[index], "C2", index + 1);
        if (index <= 3) {
            step("U2", 10);
        }
    }
    const auto deviceList = BuildDeviceList(pinSteps);
    EXPECT_EQ(deviceList, (std::vector<DeviceEntry>{device("U1", "B1"), device("R5", "A1"),
                                                    device("U2", "A1")}));
    const auto icDevices = FindIcDevices(deviceList, pinSteps);
    EXPECT_EQ(icDevices, (std::vector<IcDevice>{device("U1", "B1")}));
    const auto diodeSteps = stepsOf(CollectIcDiodeSteps(icDevices, pinSteps));
    ASSERT_EQ(diodeSteps.size(), 4U);
    EXPECT_EQ(diodeSteps[2].pinNumber, 3);  // step order within the device
    // Each names its place among all pin steps: U1's third diode step is the run's fifth.
    EXPECT_EQ(diodeSteps[2].pinStep, 4U);
    const auto jSteps = stepsOf(CollectIcJSteps(icDevices, pinSteps));
    ASSERT_EQ(jSteps.size(), 2U);
    EXPECT_EQ(jSteps[0].typeCode, TypeCode::J13);
    EXPECT_EQ(jSteps[1].typeCode, TypeCode::J14);
    EXPECT_EQ(jSteps[1].pinStep, 8U);
}

TEST_F(DeviceLists, ThresholdIsEightStepsOfExactlyTheSameName) {
    for (int index = 0; index < 7; ++index) {
        step("U7", 10);
        step("U8", 10);
        step("u8", 10);
    }
    step("U8", 12);
    step("", 12);
    const auto deviceList = BuildDeviceList(pinSteps);
    EXPECT_EQ(deviceList.size(), 4U);
    const auto icDevices = FindIcDevices(deviceList, pinSteps);
    EXPECT_EQ(icDevices, (std::vector<IcDevice>{device("U8", "A1")}));
    EXPECT_EQ(stepsOf(CollectIcDiodeSteps(icDevices, pinSteps)).size(), 7U);
}

TEST_F(DeviceLists, IcsAreCollectedInTheirOrderWhateverTheStepOrder) {
    // U2's steps come first, but U1 is the first device, so its diode steps lead.
    step("U1", 12);
    for (int index = 0; index < 8; ++index) {
        step("U2", 10, "A1", 20 + index);
    }
    for (int index = 0; index < 8; ++index) {
        step("U1", 10, "A1", 10 + index);
    }
    const auto icDevices = FindIcDevices(BuildDeviceList(pinSteps), pinSteps);
    const auto diodeSteps = stepsOf(CollectIcDiodeSteps(icDevices, pinSteps));
    ASSERT_EQ(diodeSteps.size(), 16U);
    EXPECT_EQ(diodeSteps.front().pinNumber, 10);
    EXPECT_EQ(diodeSteps.front().pinStep, 9U);
    EXPECT_EQ(diodeSteps.back().pinNumber, 27);
    EXPECT_EQ(diodeSteps.back().pinStep, 8U);
}

// Kept steps hold their tester pins in 12 bits each and their type code in a byte.
TEST_F(DeviceLists, KeptStepsGiveBackEveryTesterPinAndCode) {
    for (const int pin : {0, 1, 2048, 4095}) {
        pinSteps.append({.name = names.intern("U1"),
                         .lc = LcCode("A1"),
                         .typeCode = TypeCode::D11,
                         .hiPin = pin,
                         .loPin = 4095 - pin,
                         .pinNumber = 99999999});
    }
    std::vector<DeviceStep> walked;
    for (const DeviceStep& deviceStep : pinSteps.stepsOf(names.intern("U1"), isDiodeStep)) {
        walked.push_back(deviceStep);
    }
    ASSERT_EQ(walked.size(), 4U);
    EXPECT_EQ(walked[2], (DeviceStep{2048, 2047, 99999999, TypeCode::D11, 2}));
    EXPECT_EQ(walked[3], (DeviceStep{4095, 0, 99999999, TypeCode::D11, 3}));
}

TEST_F(DeviceLists, EmptyPinStepsGiveEmptyLists) {
    EXPECT_TRUE(BuildDeviceList(pinSteps).empty());
    EXPECT_TRUE(FindIcDevices({}, pinSteps).empty());
    EXPECT_EQ(CollectIcJSteps({}, pinSteps).icCount(), 0U);
}

}  // namespace
}  // namespace zemra
