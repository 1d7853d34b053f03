#include "fuzz_one_input.h"

#include <cstdlib>

#include "run/convert_board.h"

namespace zemra {
namespace {

// What a traced run must tell: every record once, in order. A fault stops the fuzzer.
class RecordCounter : public RecordObserver {
  public:
    void observe(const RecordTrace& trace) override {
        if (trace.ordinal != seen_ || (trace.pinStep && trace.kind != StepKind::Decoded)) {
            std::abort();
        }
        ++seen_;
    }
    std::uint64_t seen() const { return seen_; }

  private:
    std::uint64_t seen_ = 0;
};

}  // namespace

void fuzzOneInput(std::span<const std::uint8_t> data) {
    if (data.empty()) {
        return;
    }
    const DecodeOptions options{
        (data[0] & 1U) != 0 ? TesterVariant::Kx740e : TesterVariant::Kx740FeFr,
        (data[0] & 2U) != 0};
    const bool traced = (data[0] & 4U) != 0;
    MemorySource input(std::as_bytes(data.subspan(1)));
    // A record may name IC pin 99999999: the .icp file then has that many lines, all formatted.
    DiscardingSink listing;
    DiscardingSink icn;
    DiscardingSink icp;
    DiscardingSink scp;
    RecordCounter counter;
    const ConversionSummary summary = convertBoard(
        input, {"FUZZ", options, {}, traced ? &counter : nullptr}, {listing, icn, icp, scp});
    if (traced &&
        (counter.seen() != summary.records || summary.icPinTables.size() != summary.ics.size())) {
        std::abort();
    }
}

}  // namespace zemra
