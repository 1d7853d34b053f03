#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "decode/step_fields.h"
#include "report/part_names.h"

namespace zemra {

// The step that first had each part name of a board. Each name is kept once (PartNames), found
// through a table of open addressing whose 8-byte slots hold where the name starts and 32 bits of
// its hash: a search reads the bytes of a name only where the hash matches, and the table grows
// without reading any.
class FirstStepOfName {
  public:
    // Takes room for `names` at once, so that the table need not grow while they come.
    void expectNames(std::uint64_t names);
    // The step that first had `name`; none for a name not seen yet, whose first step is then
    // `step`. Throws std::length_error past 4 GiB of names or 2^32 - 1 of them.
    std::optional<std::int64_t> firstOrNote(const PartsN& name, std::int64_t step);
    // Starts fetching where a search for `name` begins, for a firstOrNote() of it a little later:
    // in a table of a large board, that search would otherwise wait on memory for each name.
    void fetch(const PartsN& name) const;
    // Where the name of the last call starts in names(), and whether it came new with it.
    std::uint32_t lastName() const { return lastName_; }
    bool lastNameNew() const { return lastNameNew_; }
    const PartNames& names() const { return names_; }
    // The names, once no name is to come: the table that found them goes.
    PartNames takeNames();

  private:
    std::size_t slotOf(std::uint32_t hash) const;
    void resize(std::size_t slots);

    PartNames names_;
    std::vector<std::uint64_t> slots_;  // 0 free, else hash << 32 | start
    std::uint32_t count_ = 0;           // names noted
    std::uint32_t lastName_ = 0;
    bool lastNameNew_ = false;
};

}  // namespace zemra
