#include "tuning/tuning_plan.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "diff/revision_fingerprint.h"
#include "run/convert_board.h"
#include "tuning/step_pairing.h"

namespace zemra {
namespace {

constexpr std::array kTunedColumns{
    ColumnId::ActualV,   ColumnId::Lc,         ColumnId::HiP,        ColumnId::LoP,
    ColumnId::GuardPin1, ColumnId::GuardPin2,  ColumnId::GuardPin3,  ColumnId::GuardPin4,
    ColumnId::GuardPin5, ColumnId::Skip,       ColumnId::Type,       ColumnId::MeasV,
    ColumnId::StandV,    ColumnId::UpperLimit, ColumnId::LowerLimit, ColumnId::Dly,
    ColumnId::Mode,      ColumnId::Avge,       ColumnId::Rpt,        ColumnId::Smp,
    ColumnId::Offset,    ColumnId::DevPercent,
};

std::vector<std::uint64_t> keysOf(std::span<const ListedColumns> steps) {
    std::vector<std::uint64_t> keys;
    keys.reserve(steps.size());
    for (const ListedColumns& step : steps) {
        keys.push_back(stepKey(step.partsN.view()));
    }
    return keys;
}

bool isSkippedStep(const ListedColumns& step) {
    return step.partsN.view() == "*";
}

// The columns each of the three steps shows, and which of them are to be carried or conflict.
struct ColumnDecision {
    std::uint32_t carried = 0;
    std::uint32_t conflicts = 0;
};

ColumnDecision decideColumns(const ListedColumns& base, const ListedColumns& tuned,
                             const ListedColumns& revised) {
    ColumnDecision decision;
    for (const ColumnId id : kTunedColumns) {
        if (sameColumn(tuned, base, id) || sameColumn(tuned, revised, id)) {
            continue;
        }
        if (sameColumn(revised, base, id)) {
            decision.carried |= columnBit(id);
        } else {
            decision.conflicts |= columnBit(id);
        }
    }
    // Both values of a step show one unit: a value carried with a unit that the step's other
    // value, left as the new revision has it, does not show cannot be carried.
    const std::uint32_t values = columnBit(ColumnId::ActualV) | columnBit(ColumnId::StandV);
    const std::uint32_t carriedValues = decision.carried & values;
    if (carriedValues != 0 && carriedValues != values && tuned.unit != revised.unit) {
        decision.carried &= ~carriedValues;
        decision.conflicts |= carriedValues;
    }
    return decision;
}

class PlanBuilder {
  public:
    explicit PlanBuilder(TuningPlan& plan) : plan_(plan) {}

    void decide(const ListedColumns& base, const ListedColumns& tuned,
                const ListedColumns& revised) {
        const ColumnDecision decision = decideColumns(base, tuned, revised);
        for (const ColumnId id : kTunedColumns) {
            if ((decision.carried & columnBit(id)) != 0) {
                addColumn(TuningKind::Carried, id, &base, &tuned, &revised);
                ++plan_.carriedColumns;
            } else if ((decision.conflicts & columnBit(id)) != 0) {
                addColumn(TuningKind::Conflict, id, &base, &tuned, &revised);
                ++plan_.conflicts;
            }
        }
        if (decision.carried != 0) {
            plan_.carried.push_back({revised, tuned, decision.carried});
        }
    }

    void drop(const ListedColumns& base, const ListedColumns& tuned) {
        bool tunedAny = false;
        for (const ColumnId id : kTunedColumns) {
            if (!sameColumn(tuned, base, id)) {
                addColumn(TuningKind::Dropped, id, &base, &tuned, nullptr);
                tunedAny = true;
            }
        }
        if (tunedAny) {
            ++plan_.droppedSteps;
        }
    }

    void addStep(TuningKind kind, const ListedColumns* base, const ListedColumns* tuned,
                 std::optional<std::int64_t> newStep) {
        TuningEvent event = eventOf(kind, base, tuned, nullptr);
        event.newStep = newStep;
        plan_.events.push_back(std::move(event));
    }

  private:
    static TuningEvent eventOf(TuningKind kind, const ListedColumns* base,
                               const ListedColumns* tuned, const ListedColumns* revised) {
        TuningEvent event;
        event.kind = kind;
        const ListedColumns* named = revised != nullptr ? revised : tuned != nullptr ? tuned : base;
        event.partName = std::string(named->partsN.view());
        if (base != nullptr) {
            event.oldStep = base->step;
        }
        if (revised != nullptr) {
            event.newStep = revised->step;
        }
        if (tuned != nullptr) {
            event.tunedStep = tuned->step;
        }
        return event;
    }

    void addColumn(TuningKind kind, ColumnId id, const ListedColumns* base,
                   const ListedColumns* tuned, const ListedColumns* revised) {
        TuningEvent event = eventOf(kind, base, tuned, revised);
        event.column = &listingColumn(id);
        event.base = columnText(*base, id);
        event.tuned = columnText(*tuned, id);
        if (revised != nullptr) {
            event.revised = columnText(*revised, id);
        }
        plan_.events.push_back(std::move(event));
    }

    TuningPlan& plan_;
};

bool tunedAnyColumn(const ListedColumns& base, const ListedColumns& tuned) {
    // The most steps are as converted: alike in every field, which is quickly told.
    if (base == tuned) {
        return false;
    }
    for (const ColumnId id : kTunedColumns) {
        if (!sameColumn(tuned, base, id)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::span<const ColumnId> tunedColumns() {
    return kTunedColumns;
}

TuningPlanner::TuningPlanner(std::vector<StepIndex> baseToTuned, std::size_t tunedCount,
                             std::vector<StepIndex> baseToRevision, std::size_t revisionCount,
                             TunedStepReader readTuned)
    : readTuned_(std::move(readTuned)),
      tunedCount_(tunedCount),
      tunedPaired_(tunedCount),
      toTuned_(std::move(baseToTuned)),
      toRevision_(std::move(baseToRevision)),
      pendingOf_(revisionCount, kUnpaired) {
    for (const StepIndex tuned : toTuned_) {
        if (tuned != kUnpaired) {
            tunedPaired_[tuned] = 1;
        }
    }
}

void TuningPlanner::addOnTester(const ListedColumns& tuned) {
    PlanBuilder builder(plan_);
    builder.addStep(TuningKind::AddedOnTester, nullptr, &tuned, std::nullopt);
    addedOnTester_.push_back(std::move(plan_.events.back()));
    plan_.events.pop_back();
}

const ListedColumns& TuningPlanner::tunedStep(std::size_t index) {
    if (index < nextTuned_) {
        const auto early = early_.find(index);
        if (early == early_.end()) {
            throw CarriedStepChanged();
        }
        fetched_ = std::move(early->second);
        early_.erase(early);
        return fetched_;
    }
    while (true) {
        const ListedColumns* step = readTuned_();
        if (step == nullptr) {
            throw CarriedStepChanged();
        }
        const std::size_t read = nextTuned_++;
        if (read == index) {
            return *step;
        }
        if (tunedPaired_[read] != 0) {
            early_.emplace(read, *step);
        } else {
            addOnTester(*step);
        }
    }
}

void TuningPlanner::takeBase(const ListedColumns& base) {
    const std::size_t old = nextBase_++;
    if (old >= toTuned_.size()) {
        return;
    }
    const StepIndex revised = toRevision_[old];
    // Steps are numbered from 1 without a gap.
    const std::optional<std::int64_t> newStep =
        revised != kUnpaired ? std::optional(static_cast<std::int64_t>(revised) + 1) : std::nullopt;
    PlanBuilder builder(plan_);
    if (toTuned_[old] == kUnpaired) {
        builder.addStep(TuningKind::RemovedOnTester, &base, nullptr, newStep);
        return;
    }
    const ListedColumns& tuned = tunedStep(toTuned_[old]);
    if (isSkippedStep(base) || !tunedAnyColumn(base, tuned)) {
        return;
    }
    if (revised == kUnpaired) {
        builder.drop(base, tuned);
        return;
    }
    pendingOf_[revised] = static_cast<StepIndex>(pending_.size());
    pending_.push_back({base, tuned});
}

const CarriedStep* TuningPlanner::carry(const ListedColumns& revised) {
    const std::size_t index = nextRevision_++;
    if (index >= pendingOf_.size() || pendingOf_[index] == kUnpaired) {
        return nullptr;
    }
    const TunedBase& pending = pending_[pendingOf_[index]];
    // The steps were paired by their part names when the file was read first.
    if (pending.base.partsN.view() != revised.partsN.view()) {
        throw CarriedStepChanged();
    }
    const std::size_t carried = plan_.carried.size();
    PlanBuilder(plan_).decide(pending.base, pending.tuned, revised);
    return plan_.carried.size() != carried ? &plan_.carried.back() : nullptr;
}

void TuningPlanner::finishBase() {
    if (nextBase_ != toTuned_.size()) {
        throw CarriedStepChanged();
    }
    while (const ListedColumns* step = readTuned_()) {
        if (nextTuned_++ >= tunedCount_) {
            throw CarriedStepChanged();
        }
        addOnTester(*step);
    }
    if (nextTuned_ != tunedCount_) {
        throw CarriedStepChanged();
    }
    readTuned_ = {};
    baseFinished_ = true;
}

void TuningPlanner::finish() {
    if (!baseFinished_) {
        finishBase();
    }
    if (nextRevision_ != pendingOf_.size()) {
        throw CarriedStepChanged();
    }
    // The old revision's order: the decisions came with the new revision's steps.
    std::stable_sort(plan_.events.begin(), plan_.events.end(),
                     [](const TuningEvent& one, const TuningEvent& other) {
                         return one.oldStep < other.oldStep;
                     });
    std::move(addedOnTester_.begin(), addedOnTester_.end(), std::back_inserter(plan_.events));
}

TuningPlan planTuning(std::span<const ListedColumns> base, std::span<const ListedColumns> tuned,
                      std::span<const ListedColumns> revision) {
    std::size_t next = 0;
    const std::vector<std::uint64_t> baseKeys = keysOf(base);
    TuningPlanner planner(pairSteps(baseKeys, keysOf(tuned)), tuned.size(),
                          pairSteps(baseKeys, keysOf(revision)), revision.size(),
                          [&]() { return next < tuned.size() ? &tuned[next++] : nullptr; });
    for (const ListedColumns& step : base) {
        planner.takeBase(step);
    }
    for (const ListedColumns& step : revision) {
        planner.carry(step);
    }
    planner.finish();
    return planner.takePlan();
}

}  // namespace zemra
