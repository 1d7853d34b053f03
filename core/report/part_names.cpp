#include "report/part_names.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

namespace zemra {

std::uint32_t PartNames::add(std::string_view name, std::int64_t step) {
    const std::size_t bytes = 1 + name.size() + kStepBytes;
    if (blocks_.empty() || blocks_.back().size() + bytes > kBlockBytes) {
        // A name's start is 4 bytes.
        if (blocks_.size() == (std::uint64_t{1} << 32U) / kBlockBytes) {
            throw std::length_error("more part names than a report can keep");
        }
        blocks_.emplace_back().reserve(kBlockBytes);
        if (blocks_.size() == 1) {
            blocks_.back().push_back(0);
        }
    }
    std::vector<char>& block = blocks_.back();
    const auto start =
        static_cast<std::uint32_t>((blocks_.size() - 1) * kBlockBytes + block.size());
    block.push_back(static_cast<char>(name.size()));
    block.insert(block.end(), name.begin(), name.end());
    const bool narrow = step >= 0 && step < std::int64_t{kWideStep};
    if (!narrow) {
        wideSteps_.emplace_back(start, step);
    }
    const std::uint32_t kept = narrow ? static_cast<std::uint32_t>(step) : kWideStep;
    std::array<char, kStepBytes> stepBytes{};
    std::memcpy(stepBytes.data(), &kept, kStepBytes);
    block.insert(block.end(), stepBytes.begin(), stepBytes.end());
    return start;
}

std::string_view PartNames::nameAt(std::uint32_t start) const {
    const std::vector<char>& block = blocks_[start / kBlockBytes];
    const std::size_t at = start % kBlockBytes;
    return {block.data() + at + 1, static_cast<unsigned char>(block[at])};
}

std::int64_t PartNames::stepAt(std::uint32_t start) const {
    const std::string_view name = nameAt(start);
    std::uint32_t step = 0;
    std::memcpy(&step, name.data() + name.size(), kStepBytes);
    if (step != kWideStep) {
        return step;
    }
    const auto wide = std::lower_bound(
        wideSteps_.begin(), wideSteps_.end(), start,
        [](const auto& kept, std::uint32_t wanted) { return kept.first < wanted; });
    return wide->second;
}

}  // namespace zemra
