#pragma once

#include <ostream>

#include "diff/board_diff.h"

namespace zemra::cli {

// The changes of --diff for people: one block per step (old and new step numbers, part name, and
// each changed listing column and record field, old -> new; the listing lines of a step only one
// revision has), one line per IC change, and a last line of counts.
class DiffText : public DiffReceiver {
  public:
    DiffText(std::ostream& out, TesterVariant variant) : out_(out), variant_(variant) {}

    void takeStep(const StepChange& change) override;
    void takeIc(const IcChange& change) override;
    // The last line: the counts.
    void finish(const DiffCounts& counts);

  private:
    std::ostream& out_;
    TesterVariant variant_;
};

}  // namespace zemra::cli
