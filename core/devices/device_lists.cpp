#include "devices/device_lists.h"

namespace zemra {
namespace {

// A device with this many pin steps is taken as an IC.
constexpr std::uint32_t kIcPinStepThreshold = 8;

}  // namespace

std::vector<DeviceEntry> BuildDeviceList(const PinStepList& pinSteps) {
    std::vector<DeviceEntry> deviceList;
    deviceList.reserve(pinSteps.devices().size());
    for (const NameId device : pinSteps.devices()) {
        deviceList.push_back({device, pinSteps.firstLcOf(device)});
    }
    return deviceList;
}

std::vector<IcDevice> FindIcDevices(const std::vector<DeviceEntry>& deviceList,
                                    const PinStepList& pinSteps) {
    std::vector<IcDevice> icDevices;
    for (const DeviceEntry& device : deviceList) {
        if (pinSteps.stepCountOf(device.name) >= kIcPinStepThreshold) {
            icDevices.push_back(device);
        }
    }
    return icDevices;
}

IcSteps CollectIcDiodeSteps(const std::vector<IcDevice>& icDevices, const PinStepList& pinSteps) {
    return {pinSteps, icDevices, isDiodeStep};
}

IcSteps CollectIcJSteps(const std::vector<IcDevice>& icDevices, const PinStepList& pinSteps) {
    return {pinSteps, icDevices, isJStep};
}

}  // namespace zemra
