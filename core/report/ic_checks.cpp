#include "report/ic_checks.h"

#include <string>

#include "report/pin_explanations.h"

namespace zemra {
namespace {

// Pins named by an unresolved-ic-pin check; the others are counted.
constexpr std::size_t kPinsNamed = 10;

std::string unresolvedSentence(const IcSummary& ic) {
    std::string sentence = "IC \"" + std::string(ic.name.view()) +
                           "\": " + std::to_string(ic.unresolvedCount) + " of its " +
                           std::to_string(ic.pinCount) + " pins have tester pin 0 in the .icp:";
    const std::vector<int> named = ic.unresolvedPins(kPinsNamed);
    const char* separator = " ";
    for (const int pin : named) {
        sentence += separator + std::to_string(pin) + " (ICP " +
                    std::to_string(ic.firstIcp + pin - 1) + ")";
        separator = ", ";
    }
    const std::int64_t rest = ic.unresolvedCount - static_cast<std::int64_t>(named.size());
    if (rest > 0) {
        sentence += " and " + std::to_string(rest) + " more";
    }
    return sentence;
}

std::string conflictSentence(const IcSummary& ic, const PinConflict& conflict, const StepRef& diode,
                             const StepRef& j, int icpTesterPin) {
    return "IC \"" + std::string(ic.name.view()) + "\" pin " + std::to_string(conflict.pin) +
           " (ICP " + std::to_string(ic.firstIcp + conflict.pin - 1) + "): diode step " +
           std::to_string(diode.step) + " \"" + std::string(diode.partName.view()) +
           "\" gives tester pin " + std::to_string(conflict.diode.testerPin) + ", J step " +
           std::to_string(j.step) + " \"" + std::string(j.partName.view()) +
           "\" gives tester pin " + std::to_string(conflict.j.testerPin) + "; the .icp has " +
           std::to_string(icpTesterPin);
}

}  // namespace

bool checkIcPins(const IcTrace& trace, const PinStepLookup& stepOf, CheckList& checks) {
    const IcSummary& ic = trace.ic;
    bool problems = false;
    if (ic.unresolvedCount > 0) {
        problems = true;
        checks.addOnIc(CheckId::UnresolvedIcPin, trace.index, std::nullopt, std::nullopt,
                       [&ic] { return unresolvedSentence(ic); });
    }
    if (trace.sources != nullptr) {
        for (const PinConflict& conflict : findPinConflicts(*trace.sources)) {
            problems = true;
            const StepRef j = stepOf(conflict.j.pinStep);
            checks.addOnIc(CheckId::ConflictingPinSource, trace.index, j.offset, j.step, [&] {
                return conflictSentence(ic, conflict, stepOf(conflict.diode.pinStep), j,
                                        trace.table.testerPinOf(conflict.pin));
            });
        }
    }
    for (const IgnoredJPin& pin : trace.ignoredJPins) {
        problems = true;
        const StepRef step = stepOf(pin.pinStep);
        checks.addOnIc(CheckId::IgnoredJPin, trace.index, step.offset, step.step, [&] {
            return "J step \"" + std::string(step.partName.view()) + "\" found pin " +
                   std::to_string(pin.pinNumber) + " of IC \"" + std::string(ic.name.view()) +
                   "\" at tester pin " + std::to_string(pin.testerPin) + ", beyond its pin count " +
                   std::to_string(ic.pinCount) + ": no .icp line shows it";
        });
    }
    return problems;
}

void checkIcPins(const ConversionSummary& summary, const PinStepLookup& stepOf, CheckList& checks) {
    // A run whose observer took the pin tables has none here, and no sources either.
    const IcPinTable noTable;
    auto ignored = summary.ignoredJPinList.begin();
    for (std::size_t index = 0; index < summary.ics.size(); ++index) {
        const auto first = ignored;
        while (ignored != summary.ignoredJPinList.end() && ignored->ic == index) {
            ++ignored;
        }
        const IcTrace trace{
            index, summary.ics[index],
            index < summary.icPinTables.size() ? summary.icPinTables[index] : noTable,
            index < summary.icPinSources.size() ? &summary.icPinSources[index] : nullptr,
            std::span<const IgnoredJPin>(first, ignored)};
        checkIcPins(trace, stepOf, checks);
    }
}

}  // namespace zemra
