#include "diff_moved_run.h"

namespace zemra::cli {

bool MovedRun::take(const StepChange& change) {
    if (change.kind != StepChangeKind::Moved || change.movedAndChanged()) {
        return false;
    }
    const std::int64_t oldStep = change.before->fields.step;
    const std::int64_t newStep = change.after->fields.step;
    if (steps_ == 0) {
        firstOld_ = oldStep;
        firstNew_ = newStep;
        firstName_ = change.before->fields.partsN.view();
    } else if (oldStep != lastOld() + 1 || newStep != lastNew() + 1) {
        return false;
    }
    ++steps_;
    lastName_ = change.before->fields.partsN.view();
    return true;
}

std::string stepRange(std::int64_t first, std::int64_t last) {
    return first == last ? std::to_string(first)
                         : std::to_string(first) + "-" + std::to_string(last);
}

}  // namespace zemra::cli
