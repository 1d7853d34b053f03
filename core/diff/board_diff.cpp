#include "diff/board_diff.h"

#include "diff/edit_script.h"
#include "diff/ic_pin_changes.h"
#include "diff/revision_print.h"
#include "io/fingerprint.h"

namespace zemra {
namespace {

RevisionPrint printRevision(const RevisionOpener& open, const DecodeOptions& options) {
    const std::unique_ptr<ByteSource> input = open();
    return readRevision(*input, options);
}

// One revision read a second time, step by step, checked against what the first pass saw.
class RevisionSteps {
  public:
    RevisionSteps(RevisionSide side, const RevisionOpener& open, const DecodeOptions& options,
                  const RevisionPrint& print)
        : side_(side), input_(open()), source_(*input_), cursor_(source_, options), print_(print) {}

    // The next step, which the first pass listed too.
    const ListedStep& next() {
        const ListedStep* step = cursor_.next();
        if (step == nullptr) {
            throw RevisionChanged(side_);
        }
        return *step;
    }

    // Reads to the end, and makes sure the bytes were those of the first pass.
    void finish() {
        if (cursor_.next() != nullptr || source_.finish() != print_.input) {
            throw RevisionChanged(side_);
        }
    }

  private:
    RevisionSide side_;
    std::unique_ptr<ByteSource> input_;
    FingerprintingSource source_;
    StepCursor cursor_;
    const RevisionPrint& print_;
};

// Walks the edit script over both revisions: the steps it removes and adds at each place, then
// the pair after them, which has changed when its listing columns differ.
void compareSteps(const EditScript& script, RevisionSteps& before, RevisionSteps& after,
                  DiffReceiver& receiver, DiffCounts& counts) {
    const std::size_t oldCount = script.removed.size();
    const std::size_t newCount = script.added.size();
    std::size_t oldIndex = 0;
    std::size_t newIndex = 0;
    while (oldIndex < oldCount || newIndex < newCount) {
        for (; oldIndex < oldCount && script.removed[oldIndex] != 0; ++oldIndex) {
            ++counts.stepsRemoved;
            receiver.takeStep({.kind = StepChangeKind::Removed, .before = &before.next()});
        }
        for (; newIndex < newCount && script.added[newIndex] != 0; ++newIndex) {
            ++counts.stepsAdded;
            receiver.takeStep({.kind = StepChangeKind::Added, .after = &after.next()});
        }
        if (oldIndex == oldCount || newIndex == newCount) {
            break;
        }
        const ListedStep& oldStep = before.next();
        const ListedStep& newStep = after.next();
        ++oldIndex;
        ++newIndex;
        if (sameListing(oldStep.columns, newStep.columns)) {
            continue;
        }
        if (oldStep.fields.partsN.view() == newStep.fields.partsN.view()) {
            ++counts.stepsChanged;
            receiver.takeStep(
                {.kind = StepChangeKind::Changed, .before = &oldStep, .after = &newStep});
        } else {
            // Two names with one key: a different step all the same.
            ++counts.stepsRemoved;
            ++counts.stepsAdded;
            receiver.takeStep({.kind = StepChangeKind::Removed, .before = &oldStep});
            receiver.takeStep({.kind = StepChangeKind::Added, .after = &newStep});
        }
    }
}

}  // namespace

bool DiffCounts::stepsOrIcsDiffer() const {
    return stepsAdded != 0 || stepsRemoved != 0 || stepsChanged != 0 || icsAdded != 0 ||
           icsRemoved != 0 || icPinCounts != 0 || icPins != 0;
}

bool DiffCounts::same() const {
    return stepsAdded == 0 && stepsRemoved == 0 && stepsChanged == 0 && icsAdded == 0 &&
           icsRemoved == 0 && icPinCounts == 0 && icPins == 0 && otherOutputs.empty();
}

DiffCounts compareBoards(const RevisionOpener& before, const RevisionOpener& after,
                         const DecodeOptions& options, DiffReceiver& receiver) {
    RevisionPrint oldPrint = printRevision(before, options);
    RevisionPrint newPrint = printRevision(after, options);
    DiffCounts counts;
    {
        const EditScript script = findEditScript(oldPrint.stepKeys, newPrint.stepKeys);
        oldPrint.stepKeys = {};
        newPrint.stepKeys = {};
        RevisionSteps oldSteps(RevisionSide::Old, before, options, oldPrint);
        RevisionSteps newSteps(RevisionSide::New, after, options, newPrint);
        compareSteps(script, oldSteps, newSteps, receiver, counts);
        oldSteps.finish();
        newSteps.finish();
    }
    compareIcPins(oldPrint, newPrint, receiver, counts);
    // Compared whatever else changed: a step's new pin or LC can change the settings file, and
    // an IC's LC its .icn line, which no step or IC change names. Only the pin files' differences
    // that the IC changes account for go without saying.
    const bool icsDiffer = counts.icsAdded != 0 || counts.icsRemoved != 0;
    const std::array<bool, kComparedOutputs.size()> explained{
        icsDiffer || counts.icPinCounts != 0,
        icsDiffer || counts.icPinCounts != 0 || counts.icPins != 0, false};
    for (std::size_t output = 0; output < kComparedOutputs.size(); ++output) {
        if (!explained[output] &&
            oldPrint.pinAndSettingsFiles[output] != newPrint.pinAndSettingsFiles[output]) {
            counts.otherOutputs.push_back(kComparedOutputs[output]);
        }
    }
    return counts;
}

}  // namespace zemra
