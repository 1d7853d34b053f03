#include "run/convert_board.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "decode/listing_lines.h"
#include "decode/record_reader.h"
#include "decode/step_sequence.h"
#include "pinfiles/pin_files.h"
#include "run/listing_header.h"
#include "run/settings_file.h"
#include "text/text_writer.h"

namespace zemra {
namespace {

// Room for the pin steps of this many records is taken at the start; a larger board grows its
// list from there.
constexpr std::uint64_t kMostRecordsReserved = std::uint64_t{1} << 24U;

// The record loop: every whole record becomes a "*" step, a dropped record or a step with its
// listing lines and, where it tests a device pin, a pin step.
class RecordLoop {
  public:
    // Each record gives at most one pin step, so the input's size bounds the list; room that no
    // step fills is never touched and costs no memory.
    RecordLoop(const DecodeOptions& options, std::uint64_t expectedRecords, TextWriter& listing,
               ConversionSummary& summary)
        : steps_(options), listing_(listing), summary_(summary) {
        pinSteps_.reserve(
            static_cast<std::size_t>(std::min(expectedRecords, kMostRecordsReserved)));
    }

    void convert(std::span<const std::byte, kRecordSize> bytes) {
        ++summary_.records;
        const ComponentRecord record = decodeRecord(bytes);
        switch (steps_.decode(record)) {
            case StepKind::Dropped:
                ++summary_.droppedRecords;
                return;
            case StepKind::Skipped:
                writeSkippedStepLines(steps_.fields().step, listing_);
                ++summary_.steps;
                ++summary_.skippedSteps;
                return;
            case StepKind::Decoded:
                writeStepLines(steps_.fields(), steps_.options().variant, listing_);
                ++summary_.steps;
                if (auto pinStep = selectPinStep(steps_.fields(), record.typeCode, names_)) {
                    pinSteps_.push_back(*pinStep);
                }
                return;
        }
    }

    std::vector<PinStep> takePinSteps() { return std::move(pinSteps_); }
    NameTable takeNames() { return std::move(names_); }
    const RunCounters& counters() const { return steps_.counters(); }

  private:
    StepSequence steps_;
    TextWriter& listing_;
    ConversionSummary& summary_;
    NameTable names_;
    std::vector<PinStep> pinSteps_;
};

// Reads the input to its end; a trailing partial record is only counted.
void readRecords(ByteSource& input, RecordLoop& loop, ConversionSummary& summary) {
    RecordReader reader(input);
    while (const auto bytes = reader.next()) {
        loop.convert(*bytes);
    }
    summary.ignoredBytes = reader.trailingBytes();
}

void summariseIcs(const BoardLists& lists, ConversionSummary& summary) {
    std::int64_t firstIcp = 1;
    for (std::size_t index = 0; index < lists.icPinTables.size(); ++index) {
        const IcPinTable& table = lists.icPinTables[index];
        IcSummary ic;
        ic.name = lists.names.text(table.name);
        ic.lc = lists.icPins.icPinCounts[index].lc.view();
        ic.pinCount = table.pinCount;
        ic.firstIcp = firstIcp;
        for (const PinSlot& slot : table.foundPins) {
            if (slot.testerPin == 0) {
                continue;
            }
            ++(slot.source == PinSource::DiodePin ? ic.pinsFromDiodeSteps : ic.pinsFromJSteps);
        }
        ic.unresolvedCount = table.pinCount - ic.pinsFromDiodeSteps - ic.pinsFromJSteps;
        ic.foundPins = table.foundPins;
        firstIcp += table.pinCount;
        summary.ics.push_back(std::move(ic));
    }
    summary.ignoredJPins = lists.icPins.ignoredJPins;
}

}  // namespace

ConversionSummary convertBoard(ByteSource& input, const BoardSettings& settings,
                               const BoardOutputs& outputs, BoardLists& lists) {
    ConversionSummary summary;
    TextWriter listing(outputs.listing);
    writeListingHeader(settings.title, settings.options.variant, settings.at, listing);
    RecordLoop loop(settings.options, input.expectedSize() / kRecordSize, listing, summary);
    readRecords(input, loop, summary);
    listing.flush();

    lists = RunPasses(loop.takePinSteps(), loop.takeNames());
    TextWriter icn(outputs.icn);
    WriteIcnFile(lists.icPins.icPinCounts, lists.names, icn);
    icn.flush();
    TextWriter icp(outputs.icp);
    WriteIcpFile(lists.icPinTables, icp);
    icp.flush();
    TextWriter scp(outputs.scp);
    writeSettingsFile(loop.counters(), scp);
    scp.flush();

    summariseIcs(lists, summary);
    return summary;
}

ConversionSummary convertBoard(ByteSource& input, const BoardSettings& settings,
                               const BoardOutputs& outputs) {
    BoardLists lists;
    return convertBoard(input, settings, outputs, lists);
}

}  // namespace zemra
