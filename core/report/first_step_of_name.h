#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "decode/step_fields.h"

namespace zemra {

// The step that first had each part name of a board, in a table of open addressing: a name is
// kept once in its 17 bytes, where a hash map of strings took a node of about 90 bytes a name,
// which on a board of a million names was the most memory of a traced run.
class FirstStepOfName {
  public:
    // The step that first had `name`; none for a name not seen yet, whose first step is then
    // `step`.
    std::optional<std::int64_t> firstOrNote(const PartsN& name, std::int64_t step);

  private:
    void grow();

    std::vector<PartsN> names_;
    std::vector<std::int64_t> steps_;   // of names_
    std::vector<std::uint32_t> slots_;  // a power of two: 0 free, else 1 + an index of names_
};

}  // namespace zemra
