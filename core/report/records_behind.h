#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "run/record_observer.h"

namespace zemra {

// The last few records a run handed on, copied, so that a report can take each of them some
// records after it came: by then, what it needs of memory for it has been fetched.
class RecordsBehind {
  public:
    static constexpr std::size_t kRecords = 16;

    bool full() const { return count_ == kRecords; }
    bool empty() const { return count_ == 0; }
    // Copies `trace`; there must be room.
    void hold(const RecordTrace& trace);
    // The oldest record held, which is no longer held: the trace stays valid until the next
    // hold().
    RecordTrace takeOldest();

  private:
    struct Held {
        std::uint64_t ordinal = 0;
        std::array<std::byte, kRecordSize> bytes{};
        ComponentRecord record;
        StepKind kind = StepKind::Dropped;
        StepFields fields;
        std::optional<PinStepOrdinal> pinStep;
    };

    std::array<Held, kRecords> held_{};
    std::size_t oldest_ = 0;
    std::size_t count_ = 0;
};

}  // namespace zemra
