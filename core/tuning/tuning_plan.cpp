#include "tuning/tuning_plan.h"

#include <algorithm>
#include <array>

#include "diff/revision_print.h"
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
                 const ListedColumns* revised) {
        plan_.events.push_back(eventOf(kind, base, tuned, revised));
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

}  // namespace

std::span<const ColumnId> tunedColumns() {
    return kTunedColumns;
}

TuningPlan planTuning(std::span<const ListedColumns> base, std::span<const ListedColumns> tuned,
                      std::span<const ListedColumns> revision) {
    const std::vector<std::uint64_t> baseKeys = keysOf(base);
    const std::vector<std::size_t> toTuned = pairSteps(baseKeys, keysOf(tuned));
    const std::vector<std::size_t> toRevision = pairSteps(baseKeys, keysOf(revision));

    TuningPlan plan;
    PlanBuilder builder(plan);
    std::vector<std::uint8_t> tunedPaired(tuned.size());
    for (std::size_t old = 0; old < base.size(); ++old) {
        const ListedColumns* revised =
            toRevision[old] != kUnpaired ? &revision[toRevision[old]] : nullptr;
        if (toTuned[old] == kUnpaired) {
            builder.addStep(TuningKind::RemovedOnTester, &base[old], nullptr, revised);
            continue;
        }
        const ListedColumns& tunedStep = tuned[toTuned[old]];
        tunedPaired[toTuned[old]] = 1;
        if (isSkippedStep(base[old])) {
            continue;
        }
        if (revised == nullptr) {
            builder.drop(base[old], tunedStep);
        } else {
            builder.decide(base[old], tunedStep, *revised);
        }
    }
    for (std::size_t index = 0; index < tuned.size(); ++index) {
        if (tunedPaired[index] == 0) {
            builder.addStep(TuningKind::AddedOnTester, nullptr, &tuned[index], nullptr);
        }
    }
    // A move pairs steps out of order: the run takes them in its own.
    std::stable_sort(plan.carried.begin(), plan.carried.end(),
                     [](const CarriedStep& one, const CarriedStep& other) {
                         return one.converted.step < other.converted.step;
                     });
    return plan;
}

}  // namespace zemra
