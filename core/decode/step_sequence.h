#pragma once

#include <cstdint>

#include "decode/component_record.h"
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
        const StepKind kind = decodeStep(record, options_, fields_, counters_);
        if (kind != StepKind::Dropped) {
            fields_.step = nextStep_++;
        }
        return kind;
    }

    const StepFields& fields() const { return fields_; }
    const RunCounters& counters() const { return counters_; }
    const DecodeOptions& options() const { return options_; }

  private:
    DecodeOptions options_;
    StepFields fields_;
    RunCounters counters_;
    std::int64_t nextStep_ = 1;
};

}  // namespace zemra
