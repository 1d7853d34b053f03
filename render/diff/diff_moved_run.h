#pragma once

#include <cstdint>
#include <string>

#include "diff/board_diff.h"

namespace zemra::cli {

// Steps that only moved, one after the other in both revisions, shown as one entry: the old and
// the new step ranges and the part names at their ends.
class MovedRun {
  public:
    // Takes a move that only moved into the run, when the run is empty or the move continues it;
    // false, and the run stays as it is, otherwise.
    bool take(const StepChange& change);
    bool empty() const { return steps_ == 0; }
    void clear() { steps_ = 0; }

    std::uint64_t steps() const { return steps_; }
    std::int64_t firstOld() const { return firstOld_; }
    std::int64_t lastOld() const { return firstOld_ + static_cast<std::int64_t>(steps_) - 1; }
    std::int64_t firstNew() const { return firstNew_; }
    std::int64_t lastNew() const { return firstNew_ + static_cast<std::int64_t>(steps_) - 1; }
    const std::string& firstName() const { return firstName_; }  // raw bytes
    const std::string& lastName() const { return lastName_; }

  private:
    std::uint64_t steps_ = 0;
    std::int64_t firstOld_ = 0;
    std::int64_t firstNew_ = 0;
    std::string firstName_;
    std::string lastName_;
};

// "12" for one step, "12-31" for a run.
std::string stepRange(std::int64_t first, std::int64_t last);

}  // namespace zemra::cli
