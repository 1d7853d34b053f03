#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "decode/component_record.h"
#include "decode/pin_step.h"
#include "decode/step_decoder.h"
#include "decode/step_fields.h"
#include "pinfiles/ic_pin_table.h"
#include "run/conversion_summary.h"

namespace zemra {

// One whole record of a run as the run took it.
struct RecordTrace {
    std::uint64_t ordinal = 0;  // from 0; the record starts at byte 64 × ordinal of the file
    std::span<const std::byte, kRecordSize> bytes;
    const ComponentRecord& record;
    StepKind kind;
    // As listed, with the step's number. A "*" step is listed with fixed values instead; a
    // dropped record has no step and no number.
    const StepFields& fields;
    std::optional<PinStepOrdinal> pinStep;  // the pin step it gave, if any
};

// One IC of the pin files as a traced run worked it out, before the next.
struct IcTrace {
    std::size_t index = 0;  // in ConversionSummary::ics
    const IcSummary& ic;
    const IcPinTable& table;
    const IcPinSources* sources = nullptr;  // for an observer that wants them
    std::span<const IgnoredJPin> ignoredJPins;
};

// Sees every whole record of a run, in order, as it is converted: for reports that tell where
// each line and each pin came from. A run with an observer (a traced run) also keeps what its
// summary would otherwise drop (ConversionSummary::icPinTables, ignoredJPinList).
class RecordObserver {
  public:
    virtual ~RecordObserver() = default;
    // Told once before the first record how many the input is expected to hold, so that lists
    // kept per record can take their room at once instead of growing by copies.
    virtual void expectRecords(std::uint64_t /*records*/) {}
    virtual void observe(const RecordTrace& trace) = 0;
    // Told once the run has seen its last record, with what it counted of them, before it works
    // out the IC pin files: what an observer kept for the records alone can go, so that it is not
    // held with the pin tables.
    virtual void recordsSeen(const ConversionSummary& /*counted*/) {}
    // Whether the run is to keep, for each IC, every step and pin that told its tester pins
    // (ConversionSummary::icPinSources): for reports that explain each pin.
    virtual bool wantsPinSources() const { return false; }
    // Offered each IC as the run makes it. An observer that keeps what it needs of its pin table
    // and its sources returns true, and the summary then holds neither
    // (ConversionSummary::icPinTables, icPinSources).
    virtual bool takeIc(const IcTrace& /*ic*/) { return false; }
};

}  // namespace zemra
