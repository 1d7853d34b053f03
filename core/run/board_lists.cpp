#include "run/board_lists.h"

#include "icpins/common_pins.h"
#include "icpins/derive_ic_pins.h"

namespace zemra {

void BoardLists::keep(const IcPins& pins, const IcPinTable* table) {
    icDiodePins.insert(icDiodePins.end(), pins.diodePins.begin(), pins.diodePins.end());
    if (pins.pinCount) {
        icPinCounts.push_back(*pins.pinCount);
    }
    icJPins.insert(icJPins.end(), pins.jPins.begin(), pins.jPins.end());
    ignoredJPins += pins.ignoredJPinCount;
    if (table != nullptr) {
        icPinTables.push_back(*table);
    }
}

void RunPasses(BoardLists& lists, const PassOptions& options, const IcPinsReceiver& receive) {
    lists.deviceList = BuildDeviceList(lists.pinSteps);
    lists.icDevices = FindIcDevices(lists.deviceList, lists.pinSteps);
    const IcSteps icDiodeSteps = CollectIcDiodeSteps(lists.icDevices, lists.pinSteps);
    lists.icCommonPins = FindCommonPins(lists.icDevices, icDiodeSteps);
    const IcSteps icJSteps = CollectIcJSteps(lists.icDevices, lists.pinSteps);
    IcPinTable table;
    DeriveIcPins(
        lists.icDevices, lists.icCommonPins, icDiodeSteps, icJSteps, options.keepIgnoredJPins,
        [&](const IcPins& pins) {
            // An IC without a pin count is in no pin file.
            const bool inPinFiles = pins.pinCount.has_value();
            if (inPinFiles) {
                BuildIcPinTable(pins, table);
            }
            if (options.keepIcPinLists) {
                lists.keep(pins, inPinFiles ? &table : nullptr);
            }
            if (inPinFiles) {
                receive(pins, table);
            }
        },
        options.keepEveryJPin);
}

}  // namespace zemra
