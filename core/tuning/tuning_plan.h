#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "decode/listing_columns.h"
#include "tuning/carried_step.h"
#include "tuning/step_pairing.h"

namespace zemra {

enum class TuningKind {
    Carried,          // a tuned column that the new revision takes
    Conflict,         // a column that both the tester and the new revision changed: the new value
    Dropped,          // a tuned column of a step that the new revision no longer has
    AddedOnTester,    // a step of the tester's listing that the old revision does not list
    RemovedOnTester,  // a step of the old revision that the tester's listing no longer lists
};

// One thing the carry did or could not do. The steps are the numbers each listing gives them,
// none where the step is not in that listing; column and values only for a column, each value
// as its listing shows it, trimmed.
struct TuningEvent {
    TuningKind kind = TuningKind::Carried;
    std::string partName;
    std::optional<std::int64_t> oldStep;
    std::optional<std::int64_t> newStep;
    std::optional<std::int64_t> tunedStep;
    const ListingColumn* column = nullptr;
    std::optional<std::string> base;
    std::optional<std::string> tuned;
    std::optional<std::string> revised;  // the new revision's
};

struct TuningPlan {
    std::vector<CarriedStep> carried;  // in the new revision's order
    std::vector<TuningEvent> events;   // by the old revision's steps, then the steps added
    std::uint64_t carriedColumns = 0;
    std::uint64_t conflicts = 0;
    std::uint64_t droppedSteps = 0;  // tuned steps whose step the new revision lacks

    std::uint64_t carriedSteps() const { return carried.size(); }
};

// The columns whose values are carried: all of a listing's but Step and Parts-N.
std::span<const ColumnId> tunedColumns();

// Works out which tuning of the tester's listing `tuned` the new revision takes: `base`, the old
// revision as converted, pairs with `tuned` and with `revision`, the new one as converted, as a
// comparison pairs steps. For each step of all three, each column is decided by the rule of three:
// the tester's value where the tester changed it and the new revision did not; the new one's
// otherwise, which is a conflict where all three differ. "*" steps take nothing. Where a carried
// Actual-V or Stand-V would show another unit than the other value of its step, it is a conflict.
TuningPlan planTuning(std::span<const ListedColumns> base, std::span<const ListedColumns> tuned,
                      std::span<const ListedColumns> revision);

// The tester's listing, a step at a time: the next step, none after the last. A step stays until
// the next call.
using TunedStepReader = std::function<const ListedColumns*()>;

// The same a step at a time, so that no listing is held whole: the steps are paired by their keys
// first (pairSteps() over stepKey() of each listed part name: the old revision's steps with the
// tester's and with the new revision's), then every step of the old revision is taken in order,
// the tester's listing read alongside, then every step of the new one. Only the old steps that the
// tester changed are kept with their tuned steps, and the tuned steps that a move pairs ahead of
// their old step until it comes.
class TuningPlanner : public StepCarry {
  public:
    TuningPlanner(std::vector<StepIndex> baseToTuned, std::size_t tunedCount,
                  std::vector<StepIndex> baseToRevision, std::size_t revisionCount,
                  TunedStepReader readTuned);

    void takeBase(const ListedColumns& base);
    // Once every old step is taken: reads the rest of the tester's listing, which is then no
    // longer read. Throws CarriedStepChanged when either listed more or fewer steps than it had
    // keys: its file changed in between.
    void finishBase();

    // The new revision's steps, in order, as its conversion lists them: the steps that are
    // wanted are decided on, the others passed.
    bool wantsNext() const override {
        return nextRevision_ < pendingOf_.size() && pendingOf_[nextRevision_] != kUnpaired;
    }
    void pass() override { ++nextRevision_; }
    const CarriedStep* carry(const ListedColumns& revised) override;
    // Once every step of the three is taken (finishBase() first where it was not called). Throws
    // CarriedStepChanged as finishBase() does, and when the new revision listed other steps than
    // it had keys.
    void finish() override;

    // Once finished.
    TuningPlan takePlan() { return std::move(plan_); }

  private:
    struct TunedBase {
        ListedColumns base;
        ListedColumns tuned;
    };

    // The tuned step `index`, reading the listing up to it: those passed on the way that pair
    // with a later old step wait in early_, the others were added on the tester.
    const ListedColumns& tunedStep(std::size_t index);
    void addOnTester(const ListedColumns& tuned);

    TunedStepReader readTuned_;
    std::size_t tunedCount_ = 0;
    std::size_t nextTuned_ = 0;
    std::vector<std::uint8_t> tunedPaired_;
    std::unordered_map<std::size_t, ListedColumns> early_;
    ListedColumns fetched_;  // the last taken out of early_
    std::vector<TuningEvent> addedOnTester_;
    std::vector<StepIndex> toTuned_;     // per old step
    std::vector<StepIndex> toRevision_;  // per old step
    std::vector<StepIndex> pendingOf_;   // per new step: in pending_, or kUnpaired
    std::vector<TunedBase> pending_;     // old steps that the tester changed, with a new step
    std::size_t nextBase_ = 0;
    std::size_t nextRevision_ = 0;
    bool baseFinished_ = false;
    TuningPlan plan_;
};

}  // namespace zemra
