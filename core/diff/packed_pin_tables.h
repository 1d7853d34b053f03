#pragma once

#include <cstdint>
#include <vector>

#include "pinfiles/ic_pin_table.h"

namespace zemra {

// The pin tables of a revision's ICs, in the order appended, packed as variable-length
// differences from the pin before: about 5 bytes a found pin instead of 16 and a vector per IC,
// so that a comparison holds two IC-dense boards' tables at once.
class PackedPinTables {
  public:
    void append(const IcPinTable& table);
    std::size_t size() const { return starts_.size(); }
    // Gives back the room that appending took beyond what the tables hold.
    void shrinkToFit();
    // The table appended `index`-th, into `table` (its room is reused).
    void unpack(std::size_t index, IcPinTable& table) const;

  private:
    std::vector<std::uint8_t> bytes_;
    std::vector<std::uint64_t> starts_;  // where each table's bytes begin
};

}  // namespace zemra
