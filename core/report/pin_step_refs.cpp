#include "report/pin_step_refs.h"

#include <algorithm>

#include "decode/component_record.h"

namespace zemra {

void PinStepRefs::push_back(const StepRef& step) {
    push_back(step, names_.add(step.partName.view(), step.step), true);
}

void PinStepRefs::push_back(const StepRef& step, std::uint32_t name, bool stepOfName) {
    const std::size_t index = packed_.size();
    const std::uint64_t ordinal = step.offset / kRecordSize;
    const auto high = static_cast<std::uint32_t>(ordinal >> 32U);
    if (highOrdinals_.empty() ? high != 0 : highOrdinals_.back().high != high) {
        highOrdinals_.push_back({index, high});
    }
    if (!stepOfName) {
        otherSteps_.emplace_back(index, step.step);
    }
    packed_.push_back({static_cast<std::uint32_t>(ordinal), name, step.hiP, step.loP});
}

std::uint64_t PinStepRefs::offsetAt(PinStepOrdinal ordinal) const {
    const auto index = static_cast<std::size_t>(ordinal);
    const Packed& packed = packed_.at(index);
    std::uint64_t high = 0;
    const auto run = std::upper_bound(
        highOrdinals_.begin(), highOrdinals_.end(), index,
        [](std::size_t wanted, const HighOrdinal& from) { return wanted < from.from; });
    if (run != highOrdinals_.begin()) {
        high = std::prev(run)->high;
    }
    return ((high << 32U) | packed.ordinal) * kRecordSize;
}

StepRef PinStepRefs::at(PinStepOrdinal ordinal) const {
    const Packed& packed = packed_.at(static_cast<std::size_t>(ordinal));
    const auto index = static_cast<std::size_t>(ordinal);
    StepRef step;
    step.offset = offsetAt(ordinal);
    const auto other =
        std::lower_bound(otherSteps_.begin(), otherSteps_.end(), index,
                         [](const auto& kept, std::size_t wanted) { return kept.first < wanted; });
    step.step = other != otherSteps_.end() && other->first == index ? other->second
                                                                    : names_.stepAt(packed.name);
    step.partName = PartsN(names_.nameAt(packed.name));
    step.hiP = packed.hiP;
    step.loP = packed.loP;
    return step;
}

}  // namespace zemra
