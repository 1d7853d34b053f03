#include "devices/device_lists.h"

#include <numeric>

namespace zemra {
namespace {

// A device with this many pin steps is taken as an IC.
constexpr int kIcPinStepThreshold = 8;

// A counting sort of the selected steps by their IC's place in icDevices: two passes over the
// steps, nothing kept per step but the result, and within one IC the steps keep their order.
std::vector<PinStep> collectIcSteps(const std::vector<IcDevice>& icDevices,
                                    const std::vector<PinStep>& pinSteps,
                                    bool (*selects)(TypeCode)) {
    constexpr std::size_t kNoIc = ~std::size_t{0};
    std::vector<std::size_t> placeOf;  // by name
    for (std::size_t place = 0; place < icDevices.size(); ++place) {
        const NameId name = icDevices[place].name;
        if (name >= placeOf.size()) {
            placeOf.resize(std::size_t{name} + 1, kNoIc);
        }
        placeOf[name] = place;
    }
    const auto placeOfStep = [&](const PinStep& step) {
        return step.name < placeOf.size() && selects(step.typeCode) ? placeOf[step.name] : kNoIc;
    };
    std::vector<std::size_t> next(icDevices.size() + 1, 0);
    for (const PinStep& step : pinSteps) {
        if (const std::size_t place = placeOfStep(step); place != kNoIc) {
            ++next[place + 1];
        }
    }
    std::partial_sum(next.begin(), next.end(), next.begin());
    std::vector<PinStep> collected(next.back());
    for (const PinStep& step : pinSteps) {
        if (const std::size_t place = placeOfStep(step); place != kNoIc) {
            collected[next[place]++] = step;
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
