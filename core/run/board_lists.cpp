#include "run/board_lists.h"

#include <utility>

#include "icpins/common_pins.h"
#include "icpins/derive_ic_pins.h"

namespace zemra {

BoardLists RunPasses(std::vector<PinStep> pinSteps, NameTable names) {
    BoardLists lists;
    lists.names = std::move(names);
    lists.pinSteps = std::move(pinSteps);
    lists.deviceList = BuildDeviceList(lists.pinSteps);
    lists.icDevices = FindIcDevices(lists.deviceList, lists.pinSteps);
    lists.icDiodeSteps = CollectIcDiodeSteps(lists.icDevices, lists.pinSteps);
    lists.icCommonPins = FindCommonPins(lists.icDevices, lists.icDiodeSteps);
    lists.icJSteps = CollectIcJSteps(lists.icDevices, lists.pinSteps);
    lists.icPins =
        DeriveIcPins(lists.icDevices, lists.icCommonPins, lists.icDiodeSteps, lists.icJSteps);
    lists.icPinTables =
        BuildIcPinTables(lists.icPins.icPinCounts, lists.icPins.icDiodePins, lists.icPins.icJPins);
    return lists;
}

}  // namespace zemra
