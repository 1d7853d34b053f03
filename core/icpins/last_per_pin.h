#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace zemra {

// Sorts a list of pin entries by pin and keeps, of the entries for one pin, only the last in
// list order: the one that a later entry for the same pin would have overwritten. Lists of one
// IC are mostly short; those are sorted in place, without a buffer.
template <class Entry, class Pin>
void keepLastPerPin(std::vector<Entry>& entries, Pin pinOf) {
    constexpr std::size_t kShortList = 32;
    const auto byPin = [&pinOf](const Entry& left, const Entry& right) {
        return pinOf(left) < pinOf(right);
    };
    if (entries.size() <= kShortList) {
        // Insertion sort: stable, and quick on short lists.
        for (std::size_t next = 1; next < entries.size(); ++next) {
            for (std::size_t place = next; place > 0 && byPin(entries[place], entries[place - 1]);
                 --place) {
                std::swap(entries[place], entries[place - 1]);
            }
        }
    } else {
        std::stable_sort(entries.begin(), entries.end(), byPin);
    }
    std::size_t kept = 0;
    for (std::size_t index = 0; index < entries.size(); ++index) {
        if (index + 1 == entries.size() || pinOf(entries[index + 1]) != pinOf(entries[index])) {
            entries[kept++] = entries[index];
        }
    }
    entries.resize(kept);
}

}  // namespace zemra
