#pragma once

#include <vector>

#include "decode/pin_step.h"
#include "names/name_table.h"
#include "text/fixed_text.h"

namespace zemra {

// A device of the board, or an IC: its name and the LC of its first pin step.
struct Device {
    NameId name = 0;
    LcCode lc;

    friend bool operator==(const Device&, const Device&) = default;
};

using DeviceEntry = Device;
using IcDevice = Device;
// Pin steps of an IC with type code 10 or 11 (diode steps) and 13 or 14 (J steps, whose
// pinNumber holds two IC pin numbers written one after the other).
using IcDiodeStep = PinStep;
using IcJStep = PinStep;

// Every device name of the pin steps once, in order of first appearance, with the LC of its first
// pin step.
std::vector<DeviceEntry> BuildDeviceList(const std::vector<PinStep>& pinSteps);

// The devices with at least eight pin steps, in device-list order: the ICs of the board.
std::vector<IcDevice> FindIcDevices(const std::vector<DeviceEntry>& deviceList,
                                    const std::vector<PinStep>& pinSteps);

// The pin steps of the ICs with type code 10 or 11, grouped by IC in the order of icDevices and
// within one IC in step order. icDevices names each IC once, as FindIcDevices lists them.
std::vector<IcDiodeStep> CollectIcDiodeSteps(const std::vector<IcDevice>& icDevices,
                                             const std::vector<PinStep>& pinSteps);

// The same for type codes 13 and 14.
std::vector<IcJStep> CollectIcJSteps(const std::vector<IcDevice>& icDevices,
                                     const std::vector<PinStep>& pinSteps);

}  // namespace zemra
