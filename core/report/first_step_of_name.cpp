#include "report/first_step_of_name.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

namespace zemra {
namespace {

constexpr std::size_t kFirstSlots = 1024;
constexpr std::size_t kStepBytes = 4;

// A part name has at most 16 bytes: it is hashed as two words, its length mixed in, so that no
// byte is hashed on its own.
std::uint32_t hashOf(std::string_view bytes) {
    std::array<std::uint64_t, 2> words{};
    std::memcpy(words.data(), bytes.data(), std::min(bytes.size(), sizeof words));
    std::uint64_t hash =
        (words[0] ^ (bytes.size() * 0x9E3779B97F4A7C15ULL)) * 0xBF58476D1CE4E5B9ULL;
    hash ^= (words[1] + (hash >> 31U)) * 0x94D049BB133111EBULL;
    hash ^= hash >> 29U;
    hash *= 0xD6E8FEB86659FD93ULL;
    return static_cast<std::uint32_t>(hash ^ (hash >> 32U));
}

std::uint32_t hashHeld(std::uint64_t slot) {
    return static_cast<std::uint32_t>(slot >> 32U);
}

std::uint32_t startHeld(std::uint64_t slot) {
    return static_cast<std::uint32_t>(slot);
}

}  // namespace

std::string_view FirstStepOfName::nameAt(std::uint32_t start) const {
    const std::vector<char>& block = blocks_[start / kBlockBytes];
    const std::size_t at = start % kBlockBytes;
    return {block.data() + at + 1, static_cast<unsigned char>(block[at])};
}

std::int64_t FirstStepOfName::stepAt(std::uint32_t start) const {
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

std::uint32_t FirstStepOfName::note(const PartsN& name, std::int64_t step) {
    const std::size_t bytes = 1 + name.size() + kStepBytes;
    if (blocks_.empty() || blocks_.back().size() + bytes > kBlockBytes) {
        // A name's start is 4 bytes.
        if (blocks_.size() == (std::uint64_t{1} << 32U) / kBlockBytes) {
            throw std::length_error("more part names than a report can keep");
        }
        blocks_.emplace_back().reserve(kBlockBytes);
        if (blocks_.size() == 1) {
            // No name starts at 0, so that a slot that holds one is never 0.
            blocks_.back().push_back(0);
        }
    }
    std::vector<char>& block = blocks_.back();
    const auto start =
        static_cast<std::uint32_t>((blocks_.size() - 1) * kBlockBytes + block.size());
    block.push_back(static_cast<char>(name.size()));
    block.insert(block.end(), name.view().begin(), name.view().end());
    const bool narrow = step >= 0 && step < std::int64_t{kWideStep};
    if (!narrow) {
        wideSteps_.emplace_back(start, step);
    }
    const std::uint32_t kept = narrow ? static_cast<std::uint32_t>(step) : kWideStep;
    std::array<char, kStepBytes> stepBytes{};
    std::memcpy(stepBytes.data(), &kept, kStepBytes);
    block.insert(block.end(), stepBytes.begin(), stepBytes.end());
    ++count_;
    return start;
}

std::optional<std::int64_t> FirstStepOfName::firstOrNote(const PartsN& name, std::int64_t step) {
    // At most two thirds of the slots are taken, so that a search stops soon.
    if ((std::size_t{count_} + 1) * 3 > slots_.size() * 2) {
        grow();
    }
    const std::uint32_t hash = hashOf(name.view());
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t held = slots_[slot];
        if (held == 0) {
            if (count_ >= kWideStep - 1) {
                throw std::length_error("more part names than a report can keep");
            }
            const std::uint32_t start = note(name, step);
            slots_[slot] = std::uint64_t{hash} << 32U | start;
            return std::nullopt;
        }
        if (hashHeld(held) == hash && nameAt(startHeld(held)) == name.view()) {
            return stepAt(startHeld(held));
        }
    }
}

void FirstStepOfName::grow() {
    std::vector<std::uint64_t> slots(std::max(slots_.size() * 2, kFirstSlots), 0);
    const std::size_t mask = slots.size() - 1;
    for (const std::uint64_t held : slots_) {
        if (held == 0) {
            continue;
        }
        std::size_t slot = hashHeld(held) & mask;
        while (slots[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        slots[slot] = held;
    }
    slots_ = std::move(slots);
}

}  // namespace zemra
