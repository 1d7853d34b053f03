// Grouping of the pin steps by device: the device list, the IC devices and their diode and J
// steps. Each pass gives exactly the entries, in exactly the order, of a head-to-tail scan of
// the lists; hash lookups only spare the scan per device.
#include <unordered_map>

#include "devices/name_index.h"
#include "run/conversion.h"

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

// The pin steps of each IC device that pass `selects`: grouped by IC in the order of icDevices,
// within one IC in step order.
template <class Append>
void collectIcSteps(const ConversionLists& lists, bool (*selects)(std::int8_t), Append append) {
    const NameIndex stepsByName(lists.pinSteps);
    for (const IcDevice& device : lists.icDevices) {
        for (const std::size_t position : stepsByName.positionsOf(device.name)) {
            const PinStep& step = lists.pinSteps[position];
            if (selects(step.typeCode)) {
                append(step);
            }
        }
    }
}

}  // namespace

bool Conversion::HasDevice(const std::string& name) const {
    return deviceNames_.contains(name);
}

void Conversion::BuildDeviceList() {
    lists_.deviceList.reserve(lists_.pinSteps.size());
    for (const PinStep& step : lists_.pinSteps) {
        if (!HasDevice(step.name)) {
            lists_.deviceList.push_back({step.name, step.lc});
            // The reserve above keeps the names in place while the set refers to them.
            deviceNames_.insert(lists_.deviceList.back().name);
        }
    }
}

void Conversion::FindIcDevices() {
    std::unordered_map<std::string_view, int> stepCounts;
    for (const PinStep& step : lists_.pinSteps) {
        ++stepCounts[step.name];
    }
    for (const DeviceEntry& device : lists_.deviceList) {
        if (stepCounts[device.name] >= kIcPinStepThreshold) {
            lists_.icDevices.push_back({device.name, device.lc});
        }
    }
}

void Conversion::CollectIcDiodeSteps() {
    collectIcSteps(lists_, isDiodeStep, [this](const PinStep& step) {
        lists_.icDiodeSteps.push_back(
            {step.name, step.lc, step.hiPin, step.loPin, step.pinNumber, step.typeCode});
    });
}

void Conversion::CollectIcJSteps() {
    collectIcSteps(lists_, isJStep, [this](const PinStep& step) {
        lists_.icJSteps.push_back(
            {step.name, step.lc, step.hiPin, step.loPin, step.pinNumber, step.typeCode, 0});
    });
}

}  // namespace zemra
