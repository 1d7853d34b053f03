#include "devices/device_lists.h"

namespace zemra {
namespace {

// A device with this many pin steps is taken as an IC.
constexpr int kIcPinStepThreshold = 8;

bool isDiodeStep(std::int8_t typeCode) {
    return typeCode == 10 || typeCode == 11;
}
bool isJStep(std::int8_t typeCode) {
    return typeCode == 13 || typeCode == 14;
}

std::vector<PinStep> collectIcSteps(const std::vector<IcDevice>& icDevices,
                                    const std::vector<PinStep>& pinSteps,
                                    bool (*selects)(std::int8_t)) {
    const NameGroups stepsByName(pinSteps);
    std::vector<PinStep> collected;
    for (const IcDevice& device : icDevices) {
        for (const std::size_t position : stepsByName.positionsOf(device.name)) {
            if (selects(pinSteps[position].typeCode)) {
                collected.push_back(pinSteps[position]);
            }
        }
    }
    return collected;
}

}  // namespace

std::vector<DeviceEntry> BuildDeviceList(const std::vector<PinStep>& pinSteps) {
    std::vector<bool> listed;
    std::vector<DeviceEntry> deviceList;
    for (const PinStep& step : pinSteps) {
        if (step.name >= listed.size()) {
            listed.resize(std::size_t{step.name} + 1);
        }
        if (!listed[step.name]) {
            listed[step.name] = true;
            deviceList.push_back({step.name, step.lc});
        }
    }
    return deviceList;
}

std::vector<IcDevice> FindIcDevices(const std::vector<DeviceEntry>& deviceList,
                                    const std::vector<PinStep>& pinSteps) {
    std::vector<int> stepCounts;
    for (const PinStep& step : pinSteps) {
        if (step.name >= stepCounts.size()) {
            stepCounts.resize(std::size_t{step.name} + 1);
        }
        ++stepCounts[step.name];
    }
    std::vector<IcDevice> icDevices;
    for (const DeviceEntry& device : deviceList) {
        if (device.name < stepCounts.size() && stepCounts[device.name] >= kIcPinStepThreshold) {
            icDevices.push_back(device);
        }
    }
    return icDevices;
}

std::vector<IcDiodeStep> CollectIcDiodeSteps(const std::vector<IcDevice>& icDevices,
                                             const std::vector<PinStep>& pinSteps) {
    return collectIcSteps(icDevices, pinSteps, isDiodeStep);
}

std::vector<IcJStep> CollectIcJSteps(const std::vector<IcDevice>& icDevices,
                                     const std::vector<PinStep>& pinSteps) {
    return collectIcSteps(icDevices, pinSteps, isJStep);
}

}  // namespace zemra
