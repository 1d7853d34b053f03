#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zemra::testing {

// List entries with their names as texts.
struct TextPinStep {
    std::string name;
    std::string lc;
    int hiPin = 0;
    int loPin = 0;
    int pinNumber = 0;
    std::int8_t typeCode = 0;

    friend bool operator==(const TextPinStep&, const TextPinStep&) = default;
};

struct TextIcPin {
    std::string name;
    int testerPin = 0;
    int pinNumber = 0;

    friend bool operator==(const TextIcPin&, const TextIcPin&) = default;
};

struct TextPinCount {
    std::string name;
    int pinCount = 0;
    std::string lc;

    friend bool operator==(const TextPinCount&, const TextPinCount&) = default;
};

using TextDevice = std::pair<std::string, std::string>;  // name, LC

// The passes after the record loop written as literal head-to-tail scans of lists of texts, one
// scan per device, every entry kept, as slow as they read. The engine must give the same lists,
// keep of icJPins exactly the entries that show, and write the same pin files.
struct HeadToTailResult {
    std::vector<TextDevice> deviceList;
    std::vector<TextDevice> icDevices;
    std::vector<TextPinStep> icDiodeSteps;
    std::vector<std::pair<std::string, int>> icCommonPins;
    std::vector<TextPinStep> icJSteps;
    std::vector<TextIcPin> icDiodePins;
    std::vector<TextPinCount> icPinCounts;
    std::vector<TextIcPin> icJPins;     // every entry, in the order found
    std::vector<TextIcPin> shownJPins;  // per IC and pin, the last J pin within the pin count
    std::size_t ignoredJPins = 0;       // J pins beyond their IC's pin count
    std::string icn;                    // written with printf and the pin files' formats, CR LF
    std::string icp;
};

// Pin tables are held densely: keep pin numbers small.
HeadToTailResult runHeadToTail(const std::vector<TextPinStep>& pinSteps);

}  // namespace zemra::testing
