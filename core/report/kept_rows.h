#pragma once

#include <cstdint>
#include <vector>

namespace zemra {

// The records that a steps table has a row of, a bit a record, and the row of each: the number of
// rows kept before it. Records are kept in ascending order.
class KeptRows {
  public:
    void reserve(std::uint64_t records);
    // Keeps the record `ordinal`, which comes after every record kept so far.
    void keep(std::uint64_t ordinal);
    bool has(std::uint64_t ordinal) const;
    // The row of the kept record `ordinal`.
    std::uint32_t rowOf(std::uint64_t ordinal) const;
    std::uint32_t count() const { return count_; }

  private:
    std::vector<std::uint64_t> bits_;
    std::vector<std::uint32_t> rowsBefore_;  // by word of bits_
    std::uint32_t count_ = 0;
};

}  // namespace zemra
