#include "report/pin_step_refs.h"

#include <algorithm>
#include <stdexcept>

#include "decode/component_record.h"

namespace zemra {

void PinStepRefs::push_back(const StepRef& step) {
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
    const std::size_t bytes = step.partName.size() + 1;
    if (blocks_.empty() || blocks_.back().size() + bytes > kBlockBytes) {
        // A name's start is 4 bytes.
        if (blocks_.size() == (std::uint64_t{1} << 32U) / kBlockBytes) {
            throw std::length_error("more pin steps than a report can keep");
        }
        blocks_.emplace_back().reserve(kBlockBytes);
    }
    std::vector<char>& block = blocks_.back();
    const auto name = static_cast<std::uint32_t>((blocks_.size() - 1) * kBlockBytes + block.size());
    block.push_back(static_cast<char>(step.partName.size()));
    block.insert(block.end(), step.partName.view().begin(), step.partName.view().end());
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
    const std::vector<char>& block = blocks_[packed.name / kBlockBytes];
    const std::size_t at = packed.name % kBlockBytes;
    step.partName =
        PartsN(std::string_view(block.data() + at + 1, static_cast<unsigned char>(block[at])));
    step.hiP = packed.hiP;
    step.loP = packed.loP;
    return step;
}

}  // namespace zemra
