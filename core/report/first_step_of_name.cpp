#include "report/first_step_of_name.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace zemra {
namespace {

constexpr std::size_t kFirstSlots = 1024;

// A part name has at most 16 bytes: it is hashed as two words, its length mixed in, so that no
// byte is hashed on its own.
std::uint64_t hashOf(std::string_view bytes) {
    std::array<std::uint64_t, 2> words{};
    std::memcpy(words.data(), bytes.data(), std::min(bytes.size(), sizeof words));
    std::uint64_t hash =
        (words[0] ^ (bytes.size() * 0x9E3779B97F4A7C15ULL)) * 0xBF58476D1CE4E5B9ULL;
    hash ^= (words[1] + (hash >> 31U)) * 0x94D049BB133111EBULL;
    hash ^= hash >> 29U;
    hash *= 0xD6E8FEB86659FD93ULL;
    return hash ^ (hash >> 32U);
}

}  // namespace

std::string_view FirstStepOfName::nameAt(const Noted& noted) const {
    const std::vector<char>& block = blocks_[noted.start / kBlockBytes];
    const std::size_t at = noted.start % kBlockBytes;
    return {block.data() + at + 1, static_cast<unsigned char>(block[at])};
}

std::int64_t FirstStepOfName::stepOf(std::size_t index) const {
    if (noted_[index].step != kWideStep) {
        return noted_[index].step;
    }
    const auto wide =
        std::lower_bound(wideSteps_.begin(), wideSteps_.end(), index,
                         [](const auto& kept, std::size_t wanted) { return kept.first < wanted; });
    return wide->second;
}

void FirstStepOfName::note(const PartsN& name, std::int64_t step) {
    const std::size_t bytes = name.size() + 1;
    if (blocks_.empty() || blocks_.back().size() + bytes > kBlockBytes) {
        // A name's start is 4 bytes.
        if (blocks_.size() == (std::uint64_t{1} << 32U) / kBlockBytes) {
            throw std::length_error("more part names than a report can keep");
        }
        blocks_.emplace_back().reserve(kBlockBytes);
    }
    std::vector<char>& block = blocks_.back();
    const auto start =
        static_cast<std::uint32_t>((blocks_.size() - 1) * kBlockBytes + block.size());
    block.push_back(static_cast<char>(name.size()));
    block.insert(block.end(), name.view().begin(), name.view().end());
    const bool narrow = step >= 0 && step < std::int64_t{kWideStep};
    if (!narrow) {
        wideSteps_.emplace_back(static_cast<std::uint32_t>(noted_.size()), step);
    }
    noted_.push_back({start, narrow ? static_cast<std::uint32_t>(step) : kWideStep});
}

std::optional<std::int64_t> FirstStepOfName::firstOrNote(const PartsN& name, std::int64_t step) {
    // At most half the slots are taken, so that a search stops soon.
    if ((noted_.size() + 1) * 2 > slots_.size()) {
        grow();
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hashOf(name.view()) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t held = slots_[slot];
        if (held == 0) {
            if (noted_.size() >= kWideStep - 1) {
                throw std::length_error("more part names than a report can keep");
            }
            note(name, step);
            slots_[slot] = static_cast<std::uint32_t>(noted_.size());
            return std::nullopt;
        }
        if (nameAt(noted_[held - 1]) == name.view()) {
            return stepOf(held - 1);
        }
    }
}

void FirstStepOfName::grow() {
    std::vector<std::uint32_t> slots(std::max(slots_.size() * 2, kFirstSlots), 0);
    const std::size_t mask = slots.size() - 1;
    for (std::size_t index = 0; index < noted_.size(); ++index) {
        std::size_t slot = hashOf(nameAt(noted_[index])) & mask;
        while (slots[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        slots[slot] = static_cast<std::uint32_t>(index + 1);
    }
    slots_ = std::move(slots);
}

}  // namespace zemra
