#pragma once

#include <cstddef>
#include <cstdint>

#include "decode/component_record.h"
#include "decode/listing_columns.h"
#include "decode/run_counters.h"
#include "decode/step_decoder.h"
#include "decode/step_fields.h"

namespace zemra {

// The steps of a run's records, decoded in order and numbered: Step starts at 1 and rises by one
// with every "*" step and every decoded step; a dropped record takes no number. The conversion and
// the record dump both number their steps here.
class StepSequence {
  public:
    explicit StepSequence(const DecodeOptions& options) : options_(options) {}

    // Decodes the next record. Its fields, with the step's number, stay until the next call.
    StepKind decode(const ComponentRecord& record) {
        countersBefore_ = counters_;
        const StepKind kind = decodeStep(record, options_, fields_, counters_);
        if (kind != StepKind::Dropped) {
            fields_.step = nextStep_++;
        }
        return kind;
    }

    const StepFields& fields() const { return fields_; }

    // Gives the step just decoded the LC, pins and Skip that its listing shows instead of the
    // decoded ones (a tuned step's), so that the pin step and the run counters take those.
    void takeListed(const ListedColumns& columns) {
        fields_.lc = columns.lc;
        fields_.hiP = columns.pins[0];
        fields_.loP = columns.pins[1];
        for (std::size_t guard = 0; guard < fields_.guardPins.size(); ++guard) {
            fields_.guardPins[guard] = columns.pins[guard + 2];
        }
        fields_.skip = columns.skip != 0;
        counters_ = countersBefore_;
        raiseRunCounters(fields_, counters_);
    }

    const RunCounters& counters() const { return counters_; }
    const DecodeOptions& options() const { return options_; }

  private:
    DecodeOptions options_;
    StepFields fields_;
    RunCounters counters_;
    RunCounters countersBefore_;  // as they were before the last record
    std::int64_t nextStep_ = 1;
};

}  // namespace zemra
