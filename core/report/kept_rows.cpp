#include "report/kept_rows.h"

#include <bit>

namespace zemra {
namespace {

constexpr std::uint64_t kWordBits = 64;

std::uint64_t bitOf(std::uint64_t ordinal) {
    return std::uint64_t{1} << (ordinal % kWordBits);
}

}  // namespace

void KeptRows::reserve(std::uint64_t records) {
    bits_.reserve(static_cast<std::size_t>(records / kWordBits + 1));
    rowsBefore_.reserve(static_cast<std::size_t>(records / kWordBits + 1));
}

void KeptRows::keep(std::uint64_t ordinal) {
    const auto word = static_cast<std::size_t>(ordinal / kWordBits);
    while (bits_.size() <= word) {
        bits_.push_back(0);
        rowsBefore_.push_back(count_);
    }
    bits_[word] |= bitOf(ordinal);
    ++count_;
}

bool KeptRows::has(std::uint64_t ordinal) const {
    const std::uint64_t word = ordinal / kWordBits;
    return word < bits_.size() && (bits_[static_cast<std::size_t>(word)] & bitOf(ordinal)) != 0;
}

std::uint32_t KeptRows::rowOf(std::uint64_t ordinal) const {
    const auto word = static_cast<std::size_t>(ordinal / kWordBits);
    return rowsBefore_.at(word) +
           static_cast<std::uint32_t>(std::popcount(bits_[word] & (bitOf(ordinal) - 1)));
}

}  // namespace zemra
