#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "decode/step_decoder.h"
#include "pinfiles/pin_origin.h"
#include "report/check_list.h"
#include "report/kept_rows.h"
#include "report/pin_step_refs.h"
#include "run/conversion.h"
#include "run/record_observer.h"
#include "tuning/tuning_plan.h"

namespace zemra {

// A J step that KX740E counts for another device than the IC it was written for: a name that
// begins with "IC" keeps it in a J step and gets the prefix J (IC1_67 is listed as JIC1_67, of
// device JIC1), while the IC's other steps are listed as U1.
struct MisnamedJStep {
    std::string meantFor;    // the device its name gives the IC's other steps: U1
    std::string countedFor;  // the device it counts for: JIC1
    PinStepOrdinal pinStep = 0;
    int hiPin = 0;
    int loPin = 0;
    int pinNumber = 0;
};

// Orders misnamed J steps by the device they were meant for, for a search by name.
struct MisnamedJStepOrder {
    bool operator()(const MisnamedJStep& left, const MisnamedJStep& right) const {
        return left.meantFor < right.meantFor;
    }
    bool operator()(const MisnamedJStep& left, std::string_view right) const {
        return left.meantFor < right;
    }
    bool operator()(std::string_view left, const MisnamedJStep& right) const {
        return left < right.meantFor;
    }
};

// One whole record as the steps table shows it: the listed fields of its step.
struct StepRow {
    std::uint64_t offset = 0;
    StepKind kind = StepKind::Dropped;
    bool pinStep = false;  // the step also tests an IC or device pin
    StepFields fields;     // as listed; a dropped record has only its part name and LC
};

// The tuning that a conversion took from a tester folder, and where it came from.
struct CarriedTuning {
    std::string folder;  // the tester folder, UTF-8
    std::string base;    // the old revision it was converted from, UTF-8
    TuningPlan plan;
    std::vector<std::string_view> changedFiles;  // ".icn", ".icp", ".scp" changed on the tester
};

// The pin table and the sources of an IC that a report kept itself (BoardReport::keptIcs).
struct KeptIcPins {
    std::size_t index = 0;  // in the pin files
    IcPinTable table;
    IcPinSources sources;
};

// One converted board, or one that failed, as the reports show it: what went in, how it was
// converted, what came out, and what an engineer should look at. Built by a ReportRecorder.
struct BoardReport {
    // Every record up to kMostStepRows is kept for the steps table; after it only those that a
    // pin step or a listed check names, which a reader must reach.
    static constexpr std::size_t kMostStepRows = 200000;

    std::string input;  // as named, UTF-8
    std::string title;  // names the outputs
    ConversionSettings settings;
    std::string version;                // of the program that converted it
    std::vector<std::string> messages;  // what went wrong, as the operator reads it
    // Its summary keeps the ignored J pins and, unless a page took them as the board was
    // converted (keptIcs), each IC's pin table and sources.
    RunOutcome outcome;

    CheckList checks;
    PinStepRefs pinSteps;
    std::vector<MisnamedJStep> misnamedJSteps;  // in MisnamedJStepOrder, then step order
    // Ascending offsets: see kMostStepRows. Where the rows went to a page as the board was
    // converted (ReportRecorder::streamRows()), only as many as it asked to keep.
    std::vector<StepRow> stepRows;
    KeptRows rows;                   // the records the steps table has a row of, kept or streamed
    std::uint64_t rowsNotShown = 0;  // records that stepRows leaves out
    std::shared_ptr<const CarriedTuning> tuning;  // with --tuned
    // By IC of the pin files, whether a check of severity error or warning falls on it:
    // unresolved pins, diode and J steps that disagree, J pins beyond the pin count.
    std::vector<bool> icsWithProblems;
    // Where a page took the ICs as the board was converted: the pins of those it may draw, by
    // ascending index.
    std::vector<KeptIcPins> keptIcs;

    // Each IC of the pin files with the number of its pins: outcome.summary->ics.
    std::size_t icCount() const;
    // Whether the steps table has the row of the record at `offset`, kept or streamed.
    bool hasRow(std::uint64_t offset) const;
    // The row of the steps table of a pin step, which always has one.
    std::uint32_t rowOf(PinStepOrdinal pinStep) const;
    // The row of the record at `offset`, if stepRows keeps it.
    const StepRow* rowAt(std::uint64_t offset) const;
    // The IC at `index` of the pin files with its pin table and sources, where the report has
    // them: always for a traced run, unless a page took the IC and did not keep it.
    std::optional<IcTrace> traceOf(std::size_t index) const;
};

}  // namespace zemra
