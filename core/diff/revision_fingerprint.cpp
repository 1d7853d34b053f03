#include "diff/revision_fingerprint.h"

#include <algorithm>
#include <functional>

#include "decode/listing_columns.h"
#include "decode/record_codes.h"
#include "report/record_checks.h"
#include "run/convert_board.h"

namespace zemra {
namespace {

// Room for the keys of this many steps is taken at the start; a larger board grows from there.
constexpr std::uint64_t kMostStepsReserved = std::uint64_t{1} << 24U;

// Keeps the key of each step, the step number of each pin step and each IC's pin table, and
// checks each record.
class StepKeyRecorder : public RecordObserver {
  public:
    StepKeyRecorder(RevisionFingerprint& fingerprint, std::uint64_t halfRecords,
                    const HalfReadCall& halfRead, RevisionKept kept)
        : whole_(kept == RevisionKept::Whole),
          halfRecords_(halfRecords),
          halfRead_(halfRead),
          keys_(fingerprint.stepKeys),
          pinSteps_(fingerprint.pinSteps),
          icPinTables_(fingerprint.icPinTables),
          checker_(fingerprint.checks, /*checkPartNames=*/false) {}

    void observe(const RecordTrace& trace) override {
        if (trace.ordinal == halfRecords_ && halfRead_) {
            halfRead_(trace.ordinal, diodeAndJSteps_);
        }
        if (whole_) {
            checker_.check(trace);
        }
        if (trace.pinStep && whole_) {
            pinSteps_.add(trace.fields.step);
            if (isDiodeStep(trace.record.typeCode) || isJStep(trace.record.typeCode)) {
                ++diodeAndJSteps_;
            }
        }
        switch (trace.kind) {
            case StepKind::Dropped:
                break;
            case StepKind::Skipped:
                keys_.push_back(stepKey("*"));
                break;
            case StepKind::Decoded:
                keys_.push_back(stepKey(listedPartName(trace.fields.partsN.view())));
                break;
        }
    }

    bool takeIc(const IcTrace& ic) override {
        if (whole_) {
            icPinTables_.append(ic.table);
        }
        return true;
    }

  private:
    bool whole_;
    std::uint64_t halfRecords_;
    std::uint64_t diodeAndJSteps_ = 0;
    const HalfReadCall& halfRead_;
    std::vector<std::uint64_t>& keys_;
    PinStepNumbers& pinSteps_;
    PackedPinTables& icPinTables_;
    RecordChecker checker_;
};

// Where the listing of the first pass goes: nowhere, and so it is not even formatted; the second
// pass writes the lines of the steps that changed.
class NoListing : public ByteSink {
  public:
    void write(std::span<const char> /*bytes*/) override {}
    bool discards() const override { return true; }
};

}  // namespace

std::uint64_t stepKey(std::string_view listedName) {
    return std::hash<std::string_view>{}(listedName);
}

RevisionFingerprint readRevision(ByteSource& input, const DecodeOptions& options,
                                 const HalfReadCall& halfRead, RevisionKept kept) {
    RevisionFingerprint fingerprint;
    const std::uint64_t records = input.expectedSize() / kRecordSize;
    fingerprint.stepKeys.reserve(static_cast<std::size_t>(std::min(records, kMostStepsReserved)));
    StepKeyRecorder recorder(fingerprint, records / 2, halfRead, kept);
    CheckingSource checking(input);
    FingerprintingSource fingerprinting(checking);
    ByteSource& source =
        kept == RevisionKept::Whole ? static_cast<ByteSource&>(fingerprinting) : input;
    DiscardingSink nowhere;
    NoListing noListing;
    FingerprintingSink icn(nowhere);
    FingerprintingSink icp(nowhere);
    FingerprintingSink scp(nowhere);
    ConversionSummary summary =
        convertBoard(source, {.title = "", .options = options, .at = {}, .observer = &recorder},
                     {.listing = noListing, .icn = icn, .icp = icp, .scp = scp});
    fingerprint.stepKeys.shrink_to_fit();
    fingerprint.icPinTables.shrinkToFit();
    fingerprint.summary = std::move(summary);
    if (kept == RevisionKept::Whole) {
        fingerprint.input = fingerprinting.finish();
        fingerprint.inputCheck = checking.finish();
    }
    fingerprint.pinAndSettingsFiles = {icn.finish(), icp.finish(), scp.finish()};
    return fingerprint;
}

}  // namespace zemra
