#include "report/pin_step_refs.h"

#include <algorithm>

#include "decode/component_record.h"

namespace zemra {

void PinStepRefs::push_back(const StepRef& step) {
    push_back(step, names_.add(step.partName.view(), step.step));
}

void PinStepRefs::push_back(const StepRef& step, std::uint32_t name) {
    const std::size_t index = packed_.size();
    const std::uint64_t ordinal = step.offset / kRecordSize;
    const auto high = static_cast<std::uint32_t>(ordinal >> 32U);
    if (highOrdinals_.empty() ? high != 0 : highOrdinals_.back().high != high) {
        highOrdinals_.push_back({index, high});
    }
    const bool narrow = step.step >= 0 && step.step < std::int64_t{kWideStep};
    if (!narrow) {
        wideSteps_.emplace_back(index, step.step);
    }
    packed_.push_back({static_cast<std::uint32_t>(ordinal),
                       narrow ? static_cast<std::uint32_t>(step.step) : kWideStep, name, step.hiP,
                       step.loP});
}

StepRef PinStepRefs::at(PinStepOrdinal ordinal) const {
    const Packed& packed = packed_.at(static_cast<std::size_t>(ordinal));
    const auto index = static_cast<std::size_t>(ordinal);
    StepRef step;
    std::uint64_t high = 0;
    const auto run = std::upper_bound(
        highOrdinals_.begin(), highOrdinals_.end(), index,
        [](std::size_t wanted, const HighOrdinal& from) { return wanted < from.from; });
    if (run != highOrdinals_.begin()) {
        high = std::prev(run)->high;
    }
    step.offset = ((high << 32U) | packed.ordinal) * kRecordSize;
    step.step = packed.step;
    if (packed.step == kWideStep) {
        const auto wide = std::lower_bound(
            wideSteps_.begin(), wideSteps_.end(), index,
            [](const auto& kept, std::size_t wanted) { return kept.first < wanted; });
        if (wide != wideSteps_.end() && wide->first == index) {
            step.step = wide->second;
        }
    }
    step.partName = PartsN(names_.nameAt(packed.name));
    step.hiP = packed.hiP;
    step.loP = packed.loP;
    return step;
}

}  // namespace zemra
