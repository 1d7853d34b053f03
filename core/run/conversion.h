#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "decode/component_record.h"
#include "decode/pin_step.h"
#include "decode/run_counters.h"
#include "decode/step_fields.h"
#include "devices/device_entries.h"
#include "icpins/ic_pin_entries.h"
#include "icpins/known_pin_index.h"
#include "pinfiles/ic_pin_table.h"
#include "run/local_date_time.h"
#include "run/text_output.h"

namespace zemra {

// The ordered lists of one conversion. Entries are appended at the tail and never reordered.
struct ConversionLists {
    std::vector<PinStep> pinSteps;
    std::vector<DeviceEntry> deviceList;
    std::vector<IcDevice> icDevices;
    std::vector<IcDiodeStep> icDiodeSteps;
    std::vector<IcJStep> icJSteps;
    std::vector<IcCommonPin> icCommonPins;
    std::vector<IcDiodePin> icDiodePins;
    std::vector<IcPinCount> icPinCounts;
    std::vector<IcJPin> icJPins;
    std::vector<IcPinTable> icPinTables;
};

struct ConversionOutputs {
    TextOutput& listing;  // .dat
    TextOutput& icn;
    TextOutput& icp;
    TextOutput& scp;
};

// One conversion of a component file, from the listing header to the settings file. Created for
// one run and thrown away after it, so every run starts with empty lists.
class Conversion {
  public:
    Conversion(DecodeOptions options, ConversionOutputs outputs);
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;

    void writeListingHeader(const std::string& baseName, const LocalDateTime& at);
    // Decodes one record: its listing lines, the run counters and its pin step.
    void convertRecord(std::span<const std::byte, kRecordSize> bytes);
    // The passes after the record loop, in their fixed order.
    void runPasses();
    void writeSettingsFile();

    // Device lists.
    void BuildDeviceList();
    bool HasDevice(const std::string& name) const;
    void FindIcDevices();
    void CollectIcDiodeSteps();
    void CollectIcJSteps();

    // IC pin derivation.
    void FindCommonPins();
    void DeriveIcPins();
    void CountIcPins();
    void MatchJStepToKnownPins(const std::string& pinText, IcJStep& jStep, IcPinCount& pinCount);
    void MatchJStepPair(const IcJStep& jStep, int blocked);

    // IC pin files.
    void WriteIcnFile();
    void WriteIcpFile();

    ConversionLists& lists() { return lists_; }
    const ConversionLists& lists() const { return lists_; }
    const RunCounters& counters() const { return counters_; }

  private:
    void deriveDiodePins();
    void matchJStepsToKnownPins();
    void pairJSteps();
    void pairWithPreviousJStep();
    void appendJPin(const std::string& name, int testerPin, std::string_view pinText);
    void buildIcPinTables();

    DecodeOptions options_;
    ConversionOutputs outputs_;
    StepFields fields_;
    RunCounters counters_;
    ConversionLists lists_;
    std::unordered_set<std::string_view> deviceNames_;
    KnownPinIndex knownPins_;
    int runningPin_ = 0;
    JStepState prevJStep_;
    JStepState curJStep_;
    int pairBlocked_ = 0;
};

}  // namespace zemra
