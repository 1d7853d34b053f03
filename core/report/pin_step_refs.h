#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "decode/pin_step.h"
#include "decode/step_fields.h"
#include "report/part_names.h"

namespace zemra {

// A decoded step that gave a pin step: where its record is, its number, its listed name and its
// listed pins.
struct StepRef {
    std::uint64_t offset = 0;
    std::int64_t step = 0;
    PartsN partName;
    std::uint16_t hiP = 0;
    std::uint16_t loP = 0;
};

// The pin steps of a traced run by PinStepOrdinal, packed, since a board holds millions: 16 bytes
// a step (its record and its number in 4 bytes each where they fit, its pins, and where its name
// starts in PartNames).
class PinStepRefs {
  public:
    // Takes room for `steps` at once; room no step fills is never touched.
    void reserve(std::size_t steps) { packed_.reserve(steps); }
    // Keeps `step` and its name. Throws std::length_error past 4 GiB of names.
    void push_back(const StepRef& step);
    // Keeps `step`, whose name starts at `name` of the names that adoptNames() brings.
    void push_back(const StepRef& step, std::uint32_t name);
    void adoptNames(PartNames names) { names_ = std::move(names); }
    std::size_t size() const { return packed_.size(); }
    bool empty() const { return packed_.empty(); }
    // Throws std::out_of_range for an ordinal of no step.
    StepRef at(PinStepOrdinal ordinal) const;

  private:
    // The bits past the low 32 of a record's ordinal, from one step on: records come in order, so
    // a board changes them once every 2^32 records.
    struct HighOrdinal {
        std::size_t from = 0;
        std::uint32_t high = 0;
    };
    struct Packed {
        std::uint32_t ordinal = 0;  // its low 32 bits
        std::uint32_t step = 0;     // kWideStep: kept in wideSteps_
        std::uint32_t name = 0;     // in names_
        std::uint16_t hiP = 0;
        std::uint16_t loP = 0;
    };
    static constexpr std::uint32_t kWideStep = 0xFFFFFFFFU;

    std::vector<Packed> packed_;
    std::vector<HighOrdinal> highOrdinals_;                        // by `from`, ascending
    std::vector<std::pair<std::size_t, std::int64_t>> wideSteps_;  // by step index, ascending
    PartNames names_;
};

}  // namespace zemra
