#include "report/first_step_of_name.h"

#include <algorithm>
#include <string_view>

namespace zemra {
namespace {

constexpr std::size_t kFirstSlots = 1024;

std::uint64_t hashOf(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char byte : bytes) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ULL;
    }
    return hash;
}

}  // namespace

std::optional<std::int64_t> FirstStepOfName::firstOrNote(const PartsN& name, std::int64_t step) {
    // At most half the slots are taken, so that a search stops soon.
    if ((names_.size() + 1) * 2 > slots_.size()) {
        grow();
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hashOf(name.view()) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t held = slots_[slot];
        if (held == 0) {
            names_.push_back(name);
            steps_.push_back(step);
            slots_[slot] = static_cast<std::uint32_t>(names_.size());
            return std::nullopt;
        }
        if (names_[held - 1].view() == name.view()) {
            return steps_[held - 1];
        }
    }
}

void FirstStepOfName::grow() {
    std::vector<std::uint32_t> slots(std::max(slots_.size() * 2, kFirstSlots), 0);
    const std::size_t mask = slots.size() - 1;
    for (std::size_t index = 0; index < names_.size(); ++index) {
        std::size_t slot = hashOf(names_[index].view()) & mask;
        while (slots[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        slots[slot] = static_cast<std::uint32_t>(index + 1);
    }
    slots_ = std::move(slots);
}

}  // namespace zemra
