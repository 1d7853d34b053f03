#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "devices/device_lists.h"
#include "devices/pin_step_list.h"
#include "icpins/ic_pin_entries.h"
#include "names/name_table.h"
#include "pinfiles/ic_pin_table.h"

namespace zemra {

// The lists of one conversion, each built by one pass from the lists before it, and the names
// their entries refer to. icDiodeSteps and icJSteps are walks over pinSteps. The IC pins are
// worked out an IC at a time, so the lists of the IC pins (icDiodePins to icPinTables) are
// filled only for a run that asks to keep them; others hold one IC's pins at a time.
struct BoardLists {
    NameTable names;
    PinStepList pinSteps;
    std::vector<DeviceEntry> deviceList;
    std::vector<IcDevice> icDevices;
    std::vector<IcCommonPin> icCommonPins;
    std::vector<IcDiodePin> icDiodePins;
    std::vector<IcPinCount> icPinCounts;
    // Per IC of icPinCounts and per pin from 1 to pinCount, the J pin that the pin file shows:
    // the last one found for that pin.
    std::vector<IcJPin> icJPins;
    std::size_t ignoredJPins = 0;  // J pins beyond their IC's pin count
    std::vector<IcPinTable> icPinTables;

    IcSteps icDiodeSteps() const { return CollectIcDiodeSteps(icDevices, pinSteps); }
    IcSteps icJSteps() const { return CollectIcJSteps(icDevices, pinSteps); }

    // Appends one IC's pins, and its table if it has one, to the lists of the IC pins.
    void keep(const IcPins& pins, const IcPinTable* table);
};

// Receives each IC of the pin files, in order, with its pins and its pin table.
using IcPinsReceiver = std::function<void(const IcPins& pins, const IcPinTable& table)>;

struct PassOptions {
    bool keepIcPinLists = false;    // fill the lists of the IC pins in BoardLists
    bool keepIgnoredJPins = false;  // hand out which J pins were ignored, not only how many
    bool keepEveryJPin = false;     // hand out every J pin found, not only those that show
};

// The passes after the record loop, in their fixed order, over the pin steps in `lists`: the
// device lists, the common pins, then the IC pins and the pin table of each IC in turn, which
// go to `receive` before the next IC's are worked out.
void RunPasses(BoardLists& lists, const PassOptions& options, const IcPinsReceiver& receive);

}  // namespace zemra
