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

// The pin steps of a traced run by PinStepOrdinal, packed, since a board holds millions: 12 bytes
// a step (the low 32 bits of its record's ordinal, where its name starts in PartNames, and its
// pins), its number being the one its name was kept with, unless another step first had it.
class PinStepRefs {
  public:
    // Takes room for `steps` at once; room no step fills is never touched.
    void reserve(std::size_t steps) { packed_.reserve(steps); }
    // Keeps `step` and its name. Throws std::length_error past 4 GiB of names.
    void push_back(const StepRef& step);
    // Keeps `step`, whose name starts at `name` of the names that adoptNames() brings, kept there
    // with this step's number (`stepOfName`) or with that of the step that first had it.
    void push_back(const StepRef& step, std::uint32_t name, bool stepOfName);
    void adoptNames(PartNames names) { names_ = std::move(names); }
    std::size_t size() const { return packed_.size(); }
    bool empty() const { return packed_.empty(); }
    // Throws std::out_of_range for an ordinal of no step.
    StepRef at(PinStepOrdinal ordinal) const;
    // at(ordinal).offset alone.
    std::uint64_t offsetAt(PinStepOrdinal ordinal) const;

  private:
    // The bits past the low 32 of a record's ordinal, from one step on: records come in order, so
    // a board changes them once every 2^32 records.
    struct HighOrdinal {
        std::size_t from = 0;
        std::uint32_t high = 0;
    };
    struct Packed {
        std::uint32_t ordinal = 0;  // its low 32 bits
        std::uint32_t name = 0;     // in names_
        std::uint16_t hiP = 0;
        std::uint16_t loP = 0;
    };

    std::vector<Packed> packed_;
    std::vector<HighOrdinal> highOrdinals_;  // by `from`, ascending
    // The numbers of steps whose name another step had first, by index, ascending.
    std::vector<std::pair<std::size_t, std::int64_t>> otherSteps_;
    PartNames names_;
};

}  // namespace zemra
