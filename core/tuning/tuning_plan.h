#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "decode/listing_columns.h"
#include "tuning/carried_step.h"

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

// The same a step at a time, so that neither revision is held whole: the steps pair by their
// keys (stepKey() of each listed part name) first, then every step of the old revision is taken
// in order, then every step of the new one. Only old steps that the tester changed are kept.
class TuningPlanner {
  public:
    TuningPlanner(std::span<const std::uint64_t> baseKeys, std::span<const ListedColumns> tuned,
                  std::span<const std::uint64_t> revisionKeys);

    void takeBase(const ListedColumns& base);
    void takeRevision(const ListedColumns& revised);
    // Once every step of both is taken. Throws CarriedStepChanged when either listed more or
    // fewer steps than it had keys: its file changed in between.
    TuningPlan finish();

  private:
    struct TunedBase {
        ListedColumns base;
        std::size_t tuned = 0;
    };

    std::span<const ListedColumns> tuned_;
    std::vector<std::size_t> toTuned_;     // per old step
    std::vector<std::size_t> toRevision_;  // per old step
    std::vector<std::size_t> pendingOf_;   // per new step: in pending_, or kUnpaired
    std::vector<TunedBase> pending_;       // old steps that the tester changed, with a new step
    std::vector<std::uint8_t> tunedPaired_;
    std::size_t nextBase_ = 0;
    std::size_t nextRevision_ = 0;
    TuningPlan plan_;
};

}  // namespace zemra
