#include "diff/board_diff.h"

#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <unordered_map>

#include "diff/check_changes.h"
#include "diff/edit_script.h"
#include "diff/folder_revision.h"
#include "diff/ic_pin_changes.h"
#include "diff/key_set.h"
#include "diff/revision_fingerprint.h"
#include "diff/step_moves.h"
#include "diff/steps_read_ahead.h"
#include "diff/walked_steps.h"
#include "io/content_check.h"
#include "platform/free_memory.h"
#include "report/ic_checks.h"
#include "report/record_checks.h"

namespace zemra {
namespace {

RevisionFingerprint fingerprintRevision(const DiffSide& side, const DecodeOptions& options,
                                        const HalfReadCall& halfRead = {}) {
    if (side.isTesterFolder()) {
        return readFolderRevision(side.testerFolder);
    }
    const std::unique_ptr<ByteSource> input = side.componentFile();
    return readRevision(*input, options, halfRead);
}

// Lets one thread go on once another gives the word; only the first giving counts, and only one
// thread gives.
class Signal {
  public:
    Signal() : given_(promise_.get_future()) {}

    void give() {
        if (!isGiven_) {
            isGiven_ = true;
            promise_.set_value();
        }
    }
    void wait() const { given_.wait(); }

  private:
    std::promise<void> promise_;
    std::shared_future<void> given_;
    bool isGiven_ = false;
};

using StepsByNumber = std::unordered_map<std::int64_t, StepRef>;

// One revision read a second time, step by step. On the way it finds the part names that
// repeat, among those whose key repeats (which the first pass left out so as not to keep every
// name), and keeps the steps of `wanted` (sorted step numbers).
class RevisionSteps : public WalkedSteps {
  public:
    RevisionSteps(const RevisionOpener& open, const DecodeOptions& options,
                  RevisionFingerprint& fingerprint, const std::vector<std::uint64_t>& repeated,
                  std::vector<std::int64_t> wanted, StepsByNumber& kept)
        : input_(open()),
          source_(*input_),
          cursor_(source_, options),
          fingerprint_(fingerprint),
          repeated_(repeated),
          wanted_(std::move(wanted)),
          kept_(kept) {}

    // Without its listing columns.
    ListedStep* nextOrNone() override {
        ListedStep* step = cursor_.next();
        if (step != nullptr) {
            look(*step);
        }
        return step;
    }

    bool sameBytes() override { return source_.finish() == fingerprint_.inputCheck; }

  private:
    void look(const ListedStep& step) {
        const std::int64_t number = step.fields.step;
        if (std::binary_search(wanted_.begin(), wanted_.end(), number)) {
            kept_.emplace(number, StepRef{step.offset, number, step.fields.partsN,
                                          static_cast<std::uint16_t>(step.fields.hiP),
                                          static_cast<std::uint16_t>(step.fields.loP)});
        }
        if (step.kind != StepKind::Decoded || repeated_.empty()) {
            return;
        }
        const std::string_view name = step.fields.partsN.view();
        if (!repeated_.contains(stepKey(listedPartName(name)))) {
            return;
        }
        const auto [first, isNew] = firstStepOfName_.try_emplace(std::string(name), number);
        if (!isNew) {
            fingerprint_.checks.add(CheckId::DuplicatePartName, step.offset, number,
                                    [name, firstStep = first->second] {
                                        return duplicateNameSentence(name, firstStep);
                                    });
        }
    }

    std::unique_ptr<ByteSource> input_;
    CheckingSource source_;
    StepCursor cursor_;
    RevisionFingerprint& fingerprint_;
    KeySet repeated_;
    std::vector<std::int64_t> wanted_;
    StepsByNumber& kept_;
    std::unordered_map<std::string, std::int64_t> firstStepOfName_;
};

// Keeps the IC changes, which go out after the steps, with the tables of the ICs they name:
// those of the comparison are unpacked one IC at a time.
class IcChanges : public DiffReceiver {
  public:
    void takeStep(const StepChange& /*change*/) override {}
    void takeIc(const IcChange& change) override {
        // The changes of one IC come one after another.
        if (changes.empty() || changes.back().name != change.name) {
            before_ = keptCopy(change.before);
            after_ = keptCopy(change.after);
        }
        changes.push_back(change);
        changes.back().before = before_;
        changes.back().after = after_;
    }

    std::vector<IcChange> changes;

  private:
    const IcPinTable* keptCopy(const IcPinTable* table) {
        return table == nullptr ? nullptr : &tables_.emplace_back(*table);
    }

    std::deque<IcPinTable> tables_;  // never moved, so the changes may point into it
    const IcPinTable* before_ = nullptr;
    const IcPinTable* after_ = nullptr;
};

// The steps whose names the IC changes and the checks of ignored J pins need, by number, sorted.
std::vector<std::int64_t> wantedSteps(const RevisionFingerprint& fingerprint,
                                      const std::vector<IcChange>& changes, bool old) {
    std::vector<std::int64_t> wanted;
    for (const IcChange& change : changes) {
        const std::int64_t step = old ? change.oldSourceStep : change.newSourceStep;
        if (step != 0) {
            wanted.push_back(step);
        }
    }
    for (const IgnoredJPin& pin : fingerprint.summary.ignoredJPinList) {
        if (const std::int64_t step = fingerprint.pinSteps.numberOf(pin.pinStep); step != 0) {
            wanted.push_back(step);
        }
    }
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    return wanted;
}

const StepRef* stepOf(const StepsByNumber& steps, std::int64_t number) {
    const auto found = steps.find(number);
    return found == steps.end() ? nullptr : &found->second;
}

// The checks that need the whole revision: a trailing partial record, the IC pins.
void checkWholeRevision(RevisionFingerprint& fingerprint, const StepsByNumber& steps) {
    checkTrailingBytes(fingerprint.summary.records, fingerprint.summary.ignoredBytes,
                       fingerprint.checks);
    checkIcPins(
        fingerprint.summary,
        [&](PinStepOrdinal ordinal) {
            const std::int64_t number = fingerprint.pinSteps.numberOf(ordinal);
            const StepRef* step = stepOf(steps, number);
            return step != nullptr ? *step : StepRef{0, number, {}, 0, 0};
        },
        fingerprint.checks);
}

// One revision's steps as the walk takes them: as many as the first pass listed, and the same
// bytes, or the revision changed between the passes.
class WalkSide {
  public:
    WalkSide(WalkedSteps& steps, RevisionSide side, TesterVariant variant)
        : steps_(steps), side_(side), variant_(variant) {}

    // The next step, which the first pass listed too, without its listing columns.
    ListedStep& next() {
        ListedStep* step = steps_.nextOrNone();
        if (step == nullptr) {
            throw RevisionChanged(side_);
        }
        return *step;
    }

    // The step with its listing columns.
    ListedStep& listed(ListedStep& step) const {
        listColumns(step, variant_);
        return step;
    }

    // Reads to the end, and makes sure the bytes were those of the first pass.
    void finish() {
        if (steps_.nextOrNone() != nullptr || !steps_.sameBytes()) {
            throw RevisionChanged(side_);
        }
    }

  private:
    WalkedSteps& steps_;
    RevisionSide side_;
    TesterVariant variant_;
};

// Walks the edit script over both revisions: the steps it removes and adds at each place, then
// the pair after them, which has changed when its listing columns differ. Of a move, the side that
// the walk reaches first waits for the other, and the move is reported there.
class StepWalk {
  public:
    StepWalk(const EditScript& script, const StepMoves& moves, WalkSide& before, WalkSide& after,
             DiffReceiver& receiver, DiffCounts& counts)
        : script_(script),
          moves_(moves),
          before_(before),
          after_(after),
          receiver_(receiver),
          counts_(counts),
          oldMove_(moves.byOld.begin()),
          newMove_(moves.byNew.begin()) {}

    void walk() {
        const std::size_t oldCount = script_.removed.size();
        const std::size_t newCount = script_.added.size();
        while (oldIndex_ < oldCount || newIndex_ < newCount) {
            for (; oldIndex_ < oldCount && script_.removed[oldIndex_] != 0; ++oldIndex_) {
                takeRemoved(before_.listed(before_.next()));
            }
            for (; newIndex_ < newCount && script_.added[newIndex_] != 0; ++newIndex_) {
                takeAdded(after_.listed(after_.next()));
            }
            if (oldIndex_ == oldCount || newIndex_ == newCount) {
                break;
            }
            ListedStep& oldStep = before_.next();
            ListedStep& newStep = after_.next();
            ++oldIndex_;
            ++newIndex_;
            // A record decodes to the same columns wherever it stands: only the step number
            // differs, and the columns are compared without it.
            if ((oldStep.hasRecord && newStep.hasRecord && oldStep.bytes == newStep.bytes) ||
                sameListing(before_.listed(oldStep).columns, after_.listed(newStep).columns)) {
                continue;
            }
            if (oldStep.columns.partsN == newStep.columns.partsN) {
                ++counts_.stepsChanged;
                receiver_.takeStep(
                    {.kind = StepChangeKind::Changed, .before = &oldStep, .after = &newStep});
            } else {
                reportApart(oldStep, newStep);
            }
        }
    }

  private:
    void takeRemoved(const ListedStep& step) {
        while (oldMove_ != moves_.byOld.end() && oldMove_->oldIndex < oldIndex_) {
            ++oldMove_;
        }
        if (oldMove_ == moves_.byOld.end() || oldMove_->oldIndex != oldIndex_) {
            ++counts_.stepsRemoved;
            receiver_.takeStep({.kind = StepChangeKind::Removed, .before = &step});
            return;
        }
        const auto waiting = waitingNew_.find(oldMove_->newIndex);
        if (waiting == waitingNew_.end()) {
            waitingOld_.emplace(oldIndex_, step);
            return;
        }
        reportMove(step, waiting->second);
        waitingNew_.erase(waiting);
    }

    void takeAdded(const ListedStep& step) {
        while (newMove_ != moves_.byNew.end() && newMove_->newIndex < newIndex_) {
            ++newMove_;
        }
        if (newMove_ == moves_.byNew.end() || newMove_->newIndex != newIndex_) {
            ++counts_.stepsAdded;
            receiver_.takeStep({.kind = StepChangeKind::Added, .after = &step});
            return;
        }
        const auto waiting = waitingOld_.find(newMove_->oldIndex);
        if (waiting == waitingOld_.end()) {
            waitingNew_.emplace(newIndex_, step);
            return;
        }
        reportMove(waiting->second, step);
        waitingOld_.erase(waiting);
    }

    void reportMove(const ListedStep& oldStep, const ListedStep& newStep) {
        if (oldStep.columns.partsN != newStep.columns.partsN) {
            reportApart(oldStep, newStep);
            return;
        }
        ++counts_.stepsMoved;
        if (!sameListing(oldStep.columns, newStep.columns)) {
            ++counts_.stepsChanged;
        }
        receiver_.takeStep({.kind = StepChangeKind::Moved, .before = &oldStep, .after = &newStep});
    }

    // Two names with one key: a different step all the same.
    void reportApart(const ListedStep& oldStep, const ListedStep& newStep) {
        ++counts_.stepsRemoved;
        ++counts_.stepsAdded;
        receiver_.takeStep({.kind = StepChangeKind::Removed, .before = &oldStep});
        receiver_.takeStep({.kind = StepChangeKind::Added, .after = &newStep});
    }

    const EditScript& script_;
    const StepMoves& moves_;
    WalkSide& before_;
    WalkSide& after_;
    DiffReceiver& receiver_;
    DiffCounts& counts_;
    std::size_t oldIndex_ = 0;
    std::size_t newIndex_ = 0;
    std::vector<StepMove>::const_iterator oldMove_;
    std::vector<StepMove>::const_iterator newMove_;
    std::unordered_map<std::size_t, ListedStep> waitingOld_;  // by old index
    std::unordered_map<std::size_t, ListedStep> waitingNew_;  // by new index
};

}  // namespace

bool DiffCounts::stepsOrIcsDiffer() const {
    return stepsAdded != 0 || stepsRemoved != 0 || stepsChanged != 0 || stepsMoved != 0 ||
           icsAdded != 0 || icsRemoved != 0 || icPinCounts != 0 || icPins != 0;
}

bool StepChange::movedAndChanged() const {
    return kind == StepChangeKind::Moved && !sameListing(before->columns, after->columns);
}

bool DiffCounts::looksUnrelated() const {
    return pairedSteps * 2 < std::min(oldSteps, newSteps);
}

bool DiffCounts::same() const {
    return stepsAdded == 0 && stepsRemoved == 0 && stepsChanged == 0 && stepsMoved == 0 &&
           icsAdded == 0 && icsRemoved == 0 && icPinCounts == 0 && icPins == 0 &&
           changedOtherOutputs.empty();
}

DiffCounts compareBoards(const RevisionOpener& before, const RevisionOpener& after,
                         const DecodeOptions& options, DiffReceiver& receiver) {
    return compareBoards(DiffSide{.componentFile = before, .testerFolder = {}},
                         DiffSide{.componentFile = after, .testerFolder = {}}, options, receiver);
}

DiffCounts compareBoards(const DiffSide& before, const DiffSide& after,
                         const DecodeOptions& options, DiffReceiver& receiver) {
    // The first passes share nothing, so the two revisions are read side by side. A first pass
    // holds the most at its end, the more the more of its records are diode and J steps (their
    // list, the IC pin tables): where nearly all of the old one's are (over four in five, a board
    // of IC pin tests), the new one waits at its half until the old one is done, so that their
    // ends do not come at once. The old one's failure is the one
    // reported when both fail, as when they were read one after the other.
    Signal oldHalfRead;
    bool oldMostlyIcPins = false;  // known once oldHalfRead is given
    Signal oldDone;
    std::future<RevisionFingerprint> newFingerprinting = std::async(std::launch::async, [&] {
        return fingerprintRevision(after, options, [&](std::uint64_t, std::uint64_t) {
            oldHalfRead.wait();
            if (oldMostlyIcPins) {
                oldDone.wait();
            }
        });
    });
    RevisionFingerprint oldFingerprint;
    try {
        oldFingerprint = fingerprintRevision(
            before, options, [&](std::uint64_t records, std::uint64_t diodeAndJSteps) {
                oldMostlyIcPins = diodeAndJSteps > records / 5 * 4;
                oldHalfRead.give();
            });
    } catch (...) {
        // Or the new one's thread would wait for it, and the future's end for that thread.
        oldHalfRead.give();
        oldDone.give();
        throw;
    }
    oldHalfRead.give();
    oldDone.give();
    // The edit script's sorts: where the new revision is still being read, the old one's keys
    // meanwhile; the new one's beside the old one's or, where those are done, beside the
    // comparison of the IC pins.
    std::optional<SortedKeyHalves> oldHalves;
    if (oldMostlyIcPins) {
        oldHalves.emplace(oldFingerprint.stepKeys);
    }
    RevisionFingerprint newFingerprint = newFingerprinting.get();
    platform::returnFreeMemory();
    std::future<SortedKeyHalves> sortingNew = std::async(
        std::launch::async, [&newFingerprint] { return SortedKeyHalves(newFingerprint.stepKeys); });
    if (!oldHalves) {
        oldHalves.emplace(oldFingerprint.stepKeys);
    }
    receiver.takeRevisions(oldFingerprint.input, newFingerprint.input);
    DiffCounts counts;
    IcChanges ics;
    compareIcPins(oldFingerprint, newFingerprint, ics, counts);
    StepsByNumber oldSteps;
    StepsByNumber newSteps;
    {
        const EditScript script = findEditScript(oldFingerprint.stepKeys, *oldHalves,
                                                 newFingerprint.stepKeys, sortingNew.get());
        oldHalves.reset();
        counts.oldSteps = script.removed.size();
        counts.newSteps = script.added.size();
        counts.pairedSteps =
            counts.oldSteps -
            static_cast<std::uint64_t>(std::count(script.removed.begin(), script.removed.end(), 1));
        const StepMoves moves =
            findStepMoves(script, oldFingerprint.stepKeys, newFingerprint.stepKeys);
        // Assigning {} would keep their room: swapped out, they free it.
        std::vector<std::uint64_t>().swap(oldFingerprint.stepKeys);
        std::vector<std::uint64_t>().swap(newFingerprint.stepKeys);
        platform::returnFreeMemory();
        const auto walkedSteps = [&](const DiffSide& side, RevisionFingerprint& fingerprint,
                                     const std::vector<std::uint64_t>& repeated, bool old,
                                     StepsByNumber& kept) -> std::unique_ptr<WalkedSteps> {
            if (side.isTesterFolder()) {
                return std::make_unique<ListingSteps>(side.testerFolder, fingerprint.input);
            }
            return std::make_unique<RevisionSteps>(
                side.componentFile, options, fingerprint, repeated,
                wantedSteps(fingerprint, ics.changes, old), kept);
        };
        const std::unique_ptr<WalkedSteps> oldRead =
            walkedSteps(before, oldFingerprint, script.repeatedBefore, true, oldSteps);
        const std::unique_ptr<WalkedSteps> newRead =
            walkedSteps(after, newFingerprint, script.repeatedAfter, false, newSteps);
        // The new revision is decoded on a thread of its own while the walk takes the old one.
        StepsReadAhead newReadAhead(*newRead);
        WalkSide oldWalk(*oldRead, RevisionSide::Old, options.variant);
        WalkSide newWalk(newReadAhead, RevisionSide::New, options.variant);
        StepWalk(script, moves, oldWalk, newWalk, receiver, counts).walk();
        oldWalk.finish();
        newWalk.finish();
    }
    for (IcChange& change : ics.changes) {
        change.oldSource = stepOf(oldSteps, change.oldSourceStep);
        change.newSource = stepOf(newSteps, change.newSourceStep);
        receiver.takeIc(change);
    }
    // A tester folder has no records to check.
    if (!before.isTesterFolder() && !after.isTesterFolder()) {
        checkWholeRevision(oldFingerprint, oldSteps);
        checkWholeRevision(newFingerprint, newSteps);
        compareChecks(oldFingerprint.checks, newFingerprint.checks, receiver, counts);
    }
    // Compared whatever else changed: a step's new pin or LC can change the settings file, and
    // an IC's LC its .icn line, which no step or IC change names. Only the pin files' differences
    // that the IC changes account for go without saying.
    const bool icsDiffer = counts.icsAdded != 0 || counts.icsRemoved != 0;
    const std::array<bool, kComparedOutputs.size()> explained{
        icsDiffer || counts.icPinCounts != 0,
        icsDiffer || counts.icPinCounts != 0 || counts.icPins != 0, false};
    for (std::size_t output = 0; output < kComparedOutputs.size(); ++output) {
        if (!explained[output] && oldFingerprint.pinAndSettingsFiles[output] !=
                                      newFingerprint.pinAndSettingsFiles[output]) {
            counts.changedOtherOutputs.push_back(kComparedOutputs[output]);
        }
    }
    return counts;
}

}  // namespace zemra
