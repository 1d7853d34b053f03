#pragma once

#include <ostream>

#include "diff/board_diff.h"
#include "diff_header.h"
#include "diff_moved_run.h"

namespace zemra::cli {

// The changes of --diff for people: a header (the program, its options, each file with its size
// and SHA-256), one block per step (old and new step numbers, part name, and
// each changed listing column and record field, old -> new; the listing lines of a step only one
// revision has; one entry for a run of steps that only moved), one line per IC change (an IC pin
// that lost its tester pin marked as an error), one line per board check gained or resolved, and
// a last line of counts.
class DiffText : public DiffReceiver {
  public:
    DiffText(std::ostream& out, DiffHeader header) : out_(out), header_(std::move(header)) {}

    // The header: the program, its options and the two files.
    void takeRevisions(const Fingerprint& before, const Fingerprint& after) override;

    void takeStep(const StepChange& change) override;
    void takeIc(const IcChange& change) override;
    void takeCheck(const CheckChange& change) override;
    // The last line: the counts.
    void finish(const DiffCounts& counts);

  private:
    void writeMovedRun();

    std::ostream& out_;
    DiffHeader header_;
    MovedRun moved_;
};

}  // namespace zemra::cli
