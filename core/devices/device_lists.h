#pragma once

#include <cstddef>
#include <vector>

#include "devices/pin_step_list.h"
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
using IcDiodeStep = DeviceStep;
using IcJStep = DeviceStep;

// icDiodeSteps or icJSteps: the diode or J steps of every IC, grouped by IC in the order of
// icDevices and within one IC in step order. Nothing is copied: each IC's steps are walked in
// pinSteps.
class IcSteps {
  public:
    IcSteps(const PinStepList& pinSteps, const std::vector<IcDevice>& icDevices,
            bool (*kind)(TypeCode))
        : pinSteps_(&pinSteps), icDevices_(&icDevices), kind_(kind) {}

    // The steps of the IC at this place of icDevices.
    DeviceSteps of(std::size_t ic) const {
        return pinSteps_->stepsOf((*icDevices_)[ic].name, kind_);
    }
    std::size_t icCount() const { return icDevices_->size(); }

  private:
    const PinStepList* pinSteps_;
    const std::vector<IcDevice>* icDevices_;
    bool (*kind_)(TypeCode);
};

// Every device name of the pin steps once, in order of first appearance, with the LC of its first
// pin step.
std::vector<DeviceEntry> BuildDeviceList(const PinStepList& pinSteps);

// The devices with at least eight pin steps, in device-list order: the ICs of the board.
std::vector<IcDevice> FindIcDevices(const std::vector<DeviceEntry>& deviceList,
                                    const PinStepList& pinSteps);

// The pin steps of the ICs with type code 10 or 11. icDevices names each IC once, as
// FindIcDevices lists them.
IcSteps CollectIcDiodeSteps(const std::vector<IcDevice>& icDevices, const PinStepList& pinSteps);

// The same for type codes 13 and 14.
IcSteps CollectIcJSteps(const std::vector<IcDevice>& icDevices, const PinStepList& pinSteps);

}  // namespace zemra
