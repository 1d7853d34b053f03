#include "run/convert_board.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "decode/listing_lines.h"
#include "decode/record_reader.h"
#include "decode/step_sequence.h"
#include "pinfiles/pin_files.h"
#include "run/listing_header.h"
#include "run/settings_file.h"
#include "text/text_writer.h"

namespace zemra {
namespace {

// Room for the kept pin steps of this many records is taken at the start; a larger board grows
// its list from there.
constexpr std::uint64_t kMostRecordsReserved = std::uint64_t{1} << 24U;

// The record loop: every whole record becomes a "*" step, a dropped record or a step with its
// listing lines and, where it tests a device pin, a pin step.
class RecordLoop {
  public:
    RecordLoop(const BoardSettings& settings, TextWriter& listing, bool listingKept,
               ConversionSummary& summary, BoardLists& lists)
        : listingKept_(listingKept),
          steps_(settings.options),
          observer_(settings.observer),
          carry_(settings.carry),
          listing_(listing),
          summary_(summary),
          lists_(lists) {}

    void convert(std::span<const std::byte, kRecordSize> bytes) {
        const std::uint64_t ordinal = summary_.records++;
        const ComponentRecord record = decodeRecord(bytes);
        const StepKind kind = steps_.decode(record);
        std::optional<PinStepOrdinal> pinStep;
        switch (kind) {
            case StepKind::Dropped:
                ++summary_.droppedRecords;
                break;
            case StepKind::Skipped:
                if (carry_ != nullptr) {
                    // A "*" step takes nothing.
                    if (carry_->wantsNext()) {
                        throw CarriedStepChanged();
                    }
                    carry_->pass();
                }
                if (listingKept_) {
                    writeSkippedStepLines(steps_.fields().step, listing_);
                }
                ++summary_.steps;
                ++summary_.skippedSteps;
                break;
            case StepKind::Decoded:
                if (const CarriedStep* carried = carriedStep()) {
                    ListedColumns columns = carried->converted;
                    applyCarried(*carried, columns);
                    steps_.takeListed(columns);
                    if (listingKept_) {
                        writeListedStep(columns, listing_);
                    }
                } else if (listingKept_) {
                    writeStepLines(steps_.fields(), steps_.options().variant, listing_);
                }
                ++summary_.steps;
                if (const auto selected =
                        selectPinStep(steps_.fields(), record.typeCode, lists_.names)) {
                    pinStep = lists_.pinSteps.size();
                    lists_.pinSteps.append(*selected);
                }
                break;
        }
        if (observer_ != nullptr) {
            observer_->observe({ordinal, bytes, record, kind, steps_.fields(), pinStep});
        }
    }

    const RunCounters& counters() const { return steps_.counters(); }

    // After the last record: the steps were those the carry was worked out for.
    void finish() const {
        if (carry_ != nullptr) {
            carry_->finish();
        }
    }

  private:
    // What the step just decoded takes of the tuning, if anything.
    const CarriedStep* carriedStep() {
        if (carry_ == nullptr) {
            return nullptr;
        }
        if (!carry_->wantsNext()) {
            carry_->pass();
            return nullptr;
        }
        return carry_->carry(listedColumns(steps_.fields(), steps_.options().variant));
    }

    bool listingKept_;  // a listing that goes nowhere is not formatted
    StepSequence steps_;
    RecordObserver* observer_;
    StepCarry* carry_;
    TextWriter& listing_;
    ConversionSummary& summary_;
    BoardLists& lists_;
};

// Reads the input to its end; a trailing partial record is only counted.
void readRecords(ByteSource& input, RecordLoop& loop, ConversionSummary& summary) {
    RecordReader reader(input);
    while (const auto bytes = reader.next()) {
        loop.convert(*bytes);
    }
    summary.ignoredBytes = reader.trailingBytes();
    loop.finish();
}

// Each IC of the pin files as the passes hand it out: its lines of both pin files and its
// summary.
class IcPinsTaker {
  public:
    IcPinsTaker(PinFiles& pinFiles, ConversionSummary& summary, const BoardLists& lists,
                RecordObserver* observer, bool keepSources)
        : pinFiles_(pinFiles),
          summary_(summary),
          lists_(lists),
          observer_(observer),
          keepSources_(keepSources) {}

    void take(const IcPins& pins, const IcPinTable& table) {
        // Every IC of the pin files is one of icDevices: room for all is taken at once.
        if (summary_.ics.empty()) {
            summary_.ics.reserve(lists_.icDevices.size());
        }
        const IcPinCount& ic = *pins.pinCount;
        const std::string_view name = lists_.names.text(ic.name);
        summary_.ics.push_back(summariseIc(name, ic, table, pinFiles_.nextIcpNumber()));
        pinFiles_.writeIc(ic, name, table);
        summary_.ignoredJPins += pins.ignoredJPinCount;
        if (observer_ == nullptr) {
            return;
        }
        const std::size_t index = summary_.ics.size() - 1;
        const std::size_t firstIgnored = summary_.ignoredJPinList.size();
        for (const IcJPin& pin : pins.ignoredJPins) {
            summary_.ignoredJPinList.push_back({index, pin.pinNumber, pin.testerPin, pin.pinStep});
        }
        std::optional<IcPinSources> sources;
        if (keepSources_) {
            sources = sourcesOf(pins);
        }
        const IcTrace trace{index, summary_.ics.back(), table, sources ? &*sources : nullptr,
                            std::span(summary_.ignoredJPinList).subspan(firstIgnored)};
        if (observer_->takeIc(trace)) {
            return;
        }
        if (summary_.icPinTables.empty()) {
            summary_.icPinTables.reserve(lists_.icDevices.size());
            if (keepSources_) {
                summary_.icPinSources.reserve(lists_.icDevices.size());
            }
        }
        summary_.icPinTables.push_back(table);
        if (sources) {
            summary_.icPinSources.push_back(std::move(*sources));
        }
    }

  private:
    // The ICs of the pin files come in the order of icDevices, so one walk finds each.
    IcPinSources sourcesOf(const IcPins& pins) {
        const NameId name = pins.pinCount->name;
        while (lists_.icDevices[device_].name != name) {
            ++device_;
        }
        if (!pairingDevice_) {
            pairingDevice_ = lists_.icDevices.size();
            for (std::size_t device = 0; device < lists_.icDevices.size(); ++device) {
                if (!lists_.pinSteps.stepsOf(lists_.icDevices[device].name, isJStep).empty()) {
                    pairingDevice_ = device;
                    break;
                }
            }
        }
        IcPinSources sources;
        sources.commonPin = lists_.icCommonPins[device_].commonPin;
        sources.diodePins = pins.diodePins;
        sources.jPins = pins.everyJPin;
        sources.pairsJSteps = device_ == *pairingDevice_;
        sources.diodeSteps = stepsOf(name, isDiodeStep);
        sources.jSteps = stepsOf(name, isJStep);
        return sources;
    }

    // The steps of a kind of the device `name`, in a list of their number: a traced run keeps
    // them for every IC.
    std::vector<DeviceStep> stepsOf(NameId name, bool (*kind)(TypeCode)) const {
        const DeviceSteps steps = lists_.pinSteps.stepsOf(name, kind);
        std::size_t count = 0;
        for (auto step = steps.begin(); step != steps.end(); ++step) {
            ++count;
        }
        std::vector<DeviceStep> kept;
        kept.reserve(count);
        for (const DeviceStep& step : steps) {
            kept.push_back(step);
        }
        return kept;
    }

    PinFiles& pinFiles_;
    ConversionSummary& summary_;
    const BoardLists& lists_;
    RecordObserver* observer_;  // a traced run's
    bool keepSources_;
    std::size_t device_ = 0;                    // in icDevices, of the last IC taken
    std::optional<std::size_t> pairingDevice_;  // in icDevices, once known
};

ConversionSummary convertBoardKeeping(ByteSource& input, const BoardSettings& settings,
                                      const BoardOutputs& outputs, BoardLists& lists,
                                      bool keepLists) {
    ConversionSummary summary;
    lists = BoardLists();
    // Each record gives at most one pin step, so the input's size bounds the list.
    lists.pinSteps = PinStepList(static_cast<std::size_t>(
        std::min(input.expectedSize() / kRecordSize, kMostRecordsReserved)));
    if (settings.observer != nullptr) {
        settings.observer->expectRecords(
            std::min(input.expectedSize() / kRecordSize, kMostRecordsReserved));
    }
    RunCounters counters;
    {
        TextWriter listing(outputs.listing);
        writeListingHeader(settings.title, settings.options.variant, settings.at, listing);
        RecordLoop loop(settings, listing, !outputs.listing.discards(), summary, lists);
        readRecords(input, loop, summary);
        listing.flush();
        counters = loop.counters();
    }
    if (settings.observer != nullptr) {
        settings.observer->recordsSeen(summary);
    }
    {
        // Both pin files are written as the passes hand out each IC.
        TextWriter icn(outputs.icn);
        TextWriter icp(outputs.icp);
        PinFiles pinFiles(icn, icp);
        const bool traced = settings.observer != nullptr;
        const bool keepSources = traced && settings.observer->wantsPinSources();
        IcPinsTaker taker(pinFiles, summary, lists, settings.observer, keepSources);
        RunPasses(
            lists,
            {.keepIcPinLists = keepLists, .keepIgnoredJPins = traced, .keepEveryJPin = keepSources},
            [&taker](const IcPins& pins, const IcPinTable& table) { taker.take(pins, table); });
        icn.flush();
        icp.flush();
    }
    TextWriter scp(outputs.scp);
    writeSettingsFile(counters, scp);
    scp.flush();
    return summary;
}

}  // namespace

ConversionSummary convertBoard(ByteSource& input, const BoardSettings& settings,
                               const BoardOutputs& outputs, BoardLists& lists) {
    return convertBoardKeeping(input, settings, outputs, lists, true);
}

ConversionSummary convertBoard(ByteSource& input, const BoardSettings& settings,
                               const BoardOutputs& outputs) {
    BoardLists lists;
    return convertBoardKeeping(input, settings, outputs, lists, false);
}

}  // namespace zemra
