#pragma once

#include <vector>

#include "decode/pin_step.h"
#include "devices/device_lists.h"
#include "icpins/ic_pin_entries.h"
#include "names/name_table.h"
#include "pinfiles/ic_pin_table.h"

namespace zemra {

// The lists of one conversion, each built by one pass from the lists before it, and the names
// their entries refer to.
struct BoardLists {
    NameTable names;
    std::vector<PinStep> pinSteps;
    std::vector<DeviceEntry> deviceList;
    std::vector<IcDevice> icDevices;
    std::vector<IcDiodeStep> icDiodeSteps;
    std::vector<IcCommonPin> icCommonPins;
    std::vector<IcJStep> icJSteps;
    IcPins icPins;
    std::vector<IcPinTable> icPinTables;
};

// The passes after the record loop, in their fixed order, up to the pin tables that the .icp
// file is written from.
BoardLists RunPasses(std::vector<PinStep> pinSteps, NameTable names);

}  // namespace zemra
