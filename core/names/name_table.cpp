#include "names/name_table.h"

#include <algorithm>
#include <cstring>

namespace zemra {
namespace {

constexpr std::size_t kInitialSlots = 1024;

std::uint64_t wordAt(const char* bytes) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

}  // namespace

// Two words each: names are compared as often as pin steps come.
bool NameTable::sameName(const PackedName& left, const PackedName& right) {
    return wordAt(left.data()) == wordAt(right.data()) &&
           wordAt(left.data() + 8) == wordAt(right.data() + 8);
}

NameTable::NameTable() : slots_(kInitialSlots, kFree) {}

NameTable::PackedName NameTable::pack(std::string_view name) {
    PackedName packed{};
    const std::size_t length = std::min(name.size(), kMaxLength);
    if (length > 0) {
        std::memcpy(packed.data(), name.data(), length);
    }
    packed[kMaxLength] = static_cast<char>(length);
    return packed;
}

std::size_t NameTable::hashOf(const PackedName& packed) {
    const std::uint64_t low = wordAt(packed.data());
    const std::uint64_t high = wordAt(packed.data() + 8);
    std::uint64_t hash = (low ^ (high * 0x9E3779B97F4A7C15ULL)) * 0xBF58476D1CE4E5B9ULL;
    hash ^= hash >> 31U;
    return static_cast<std::size_t>(hash);
}

NameId NameTable::intern(std::string_view name) {
    const PackedName packed = pack(name);
    // A device's pin steps mostly follow one another: the name just asked for needs no search.
    if (!names_.empty() && sameName(names_[lastId_], packed)) {
        return lastId_;
    }
    lastId_ = find(packed);
    return lastId_;
}

NameId NameTable::find(const PackedName& packed) {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hashOf(packed) & mask;; slot = (slot + 1) & mask) {
        const NameId id = slots_[slot];
        if (id == kFree) {
            const auto newId = static_cast<NameId>(names_.size());
            names_.push_back(packed);
            slots_[slot] = newId;
            // At most half full, so probes stay short.
            if (names_.size() * 2 > slots_.size()) {
                grow();
            }
            return newId;
        }
        if (sameName(names_[id], packed)) {
            return id;
        }
    }
}

std::string_view NameTable::text(NameId id) const {
    const PackedName& packed = names_[id];
    return {packed.data(), static_cast<std::size_t>(packed[kMaxLength])};
}

void NameTable::grow() {
    slots_.assign(slots_.size() * 2, kFree);
    const std::size_t mask = slots_.size() - 1;
    for (NameId id = 0; id < names_.size(); ++id) {
        std::size_t slot = hashOf(names_[id]) & mask;
        while (slots_[slot] != kFree) {
            slot = (slot + 1) & mask;
        }
        slots_[slot] = id;
    }
}

}  // namespace zemra
