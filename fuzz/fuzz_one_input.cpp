#include "fuzz_one_input.h"

#include <algorithm>
#include <cstdlib>

#include "fuzz_writers.h"
#include "ic_map_plan.h"
#include "report/pin_explanations.h"
#include "report/report_recorder.h"
#include "run/convert_board.h"

namespace zemra {
namespace {

// What a traced run must tell: every record once, in order. A fault stops the fuzzer. The
// records go on to the report of the board.
class RecordCounter : public RecordObserver {
  public:
    explicit RecordCounter(RecordObserver& report) : report_(report) {}

    void observe(const RecordTrace& trace) override {
        if (trace.ordinal != seen_ || (trace.pinStep && trace.kind != StepKind::Decoded)) {
            std::abort();
        }
        ++seen_;
        report_.observe(trace);
    }
    void expectRecords(std::uint64_t records) override { report_.expectRecords(records); }
    void recordsSeen(const ConversionSummary& counted) override { report_.recordsSeen(counted); }
    bool wantsPinSources() const override { return report_.wantsPinSources(); }
    bool takeIc(const IcTrace& ic) override { return report_.takeIc(ic); }
    std::uint64_t seen() const { return seen_; }

  private:
    RecordObserver& report_;
    std::uint64_t seen_ = 0;
};

// The report's pin maps draw each IC's first pins, in order, each from the step that gave it; a
// pin whose tester pin is 0 is drawn as unresolved.
void checkDrawnPins(const BoardReport& report) {
    const cli::IcMapPlan maps(report);
    for (std::size_t ic = 0; ic < report.icCount(); ++ic) {
        const std::vector<cli::DrawnPin> pins = maps.drawnPins(ic);
        if (pins.size() > static_cast<std::size_t>(cli::kMostDrawnPins)) {
            std::abort();
        }
        for (std::size_t index = 0; index < pins.size(); ++index) {
            const cli::DrawnPin& pin = pins[index];
            if (pin.pin != static_cast<int>(index) + 1 ||
                (pin.origin != PinOrigin::None && (!pin.source || pin.testerPin == 0)) ||
                (pin.origin == PinOrigin::None && pin.testerPin != 0)) {
                std::abort();
            }
        }
        // Exactly the step that gave a drawn pin's tester pin is said to count.
        for (const PinExplanation& explained :
             explainPins(report, ic, static_cast<int>(pins.size()))) {
            const auto counted = std::count_if(
                explained.steps.begin(), explained.steps.end(), [&](const PinStepUse& use) {
                    return use.role == PinStepRole::Gave && use.testerPin == explained.testerPin;
                });
            if (explained.testerPin != 0 && counted != 1) {
                std::abort();
            }
        }
    }
}

}  // namespace

void fuzzOneInput(std::span<const std::uint8_t> data) {
    if (data.empty()) {
        return;
    }
    const DecodeOptions options{
        (data[0] & 1U) != 0 ? TesterVariant::Kx740e : TesterVariant::Kx740FeFr,
        (data[0] & 2U) != 0};
    const bool traced = (data[0] & 4U) != 0;
    const std::span<const std::byte> records = std::as_bytes(data.subspan(1));
    if ((data[0] & 8U) != 0) {
        writeRecordDumps(records, (data[0] & 0x10U) != 0);
    }
    if ((data[0] & 0x20U) != 0 && !records.empty()) {
        // Two revisions cut from one input: the first byte of the records says where.
        writeDiffs(records, std::to_integer<std::size_t>(records[0]) % 64, options);
    }
    MemorySource input(records);
    // A record may name IC pin 99999999: the .icp file then has that many lines, all formatted.
    DiscardingSink listing;
    DiscardingSink icn;
    DiscardingSink icp;
    DiscardingSink scp;
    ReportRecorder recorder({.options = options});
    RecordCounter counter(recorder);
    const ConversionSummary summary = convertBoard(
        input, {"FUZZ", options, {}, traced ? &counter : nullptr}, {listing, icn, icp, scp});
    if (!traced) {
        return;
    }
    if (counter.seen() != summary.records || summary.icPinTables.size() != summary.ics.size()) {
        std::abort();
    }
    BoardReport board =
        recorder.finish({.outputFolder = "FUZZ", .committed = true, .summary = summary});
    checkDrawnPins(board);
    // A name of the input's own bytes, as a file's name may be anything.
    const std::span<const std::uint8_t> name =
        data.subspan(1, std::min<std::size_t>(data.size() - 1, 12));
    writeBoardReports(std::move(board), std::string(name.begin(), name.end()));
}

}  // namespace zemra
