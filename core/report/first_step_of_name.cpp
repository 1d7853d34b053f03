#include "report/first_step_of_name.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace zemra {
namespace {

constexpr std::size_t kFirstSlots = 1024;
constexpr std::uint32_t kMostNames = 0xFFFFFFFEU;

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

void FirstStepOfName::expectNames(std::uint64_t names) {
    const std::uint64_t slots = names + names / 3 + 1;
    if (slots > slots_.size()) {
        resize(static_cast<std::size_t>(slots));
    }
}

std::optional<std::int64_t> FirstStepOfName::firstOrNote(const PartsN& name, std::int64_t step) {
    // At most three quarters of the slots are taken, so that a search stops soon.
    if ((std::size_t{count_} + 1) * 4 > slots_.size() * 3) {
        resize(std::max(slots_.size() * 2, kFirstSlots));
    }
    const std::uint32_t hash = hashOf(name.view());
    for (std::size_t slot = slotOf(hash);; slot = slot + 1 == slots_.size() ? 0 : slot + 1) {
        const std::uint64_t held = slots_[slot];
        if (held == 0) {
            if (count_ >= kMostNames) {
                throw std::length_error("more part names than a report can keep");
            }
            lastName_ = names_.add(name.view(), step);
            lastNameNew_ = true;
            ++count_;
            slots_[slot] = std::uint64_t{hash} << 32U | lastName_;
            return std::nullopt;
        }
        if (hashHeld(held) == hash && names_.nameAt(startHeld(held)) == name.view()) {
            lastName_ = startHeld(held);
            lastNameNew_ = false;
            return names_.stepAt(lastName_);
        }
    }
}

void FirstStepOfName::fetch(const PartsN& name) const {
    if (!slots_.empty()) {
        __builtin_prefetch(&slots_[slotOf(hashOf(name.view()))]);
    }
}

std::size_t FirstStepOfName::slotOf(std::uint32_t hash) const {
    // The hash scaled to the table, which need not be a power of two.
    return static_cast<std::size_t>((std::uint64_t{hash} * slots_.size()) >> 32U);
}

void FirstStepOfName::resize(std::size_t slots) {
    std::vector<std::uint64_t> held = std::exchange(slots_, std::vector<std::uint64_t>(slots, 0));
    for (const std::uint64_t name : held) {
        if (name == 0) {
            continue;
        }
        std::size_t slot = slotOf(hashHeld(name));
        while (slots_[slot] != 0) {
            slot = slot + 1 == slots_.size() ? 0 : slot + 1;
        }
        slots_[slot] = name;
    }
}

PartNames FirstStepOfName::takeNames() {
    PartNames names = std::move(names_);
    *this = FirstStepOfName();
    return names;
}

}  // namespace zemra
