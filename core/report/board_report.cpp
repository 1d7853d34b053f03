#include "report/board_report.h"

#include <algorithm>
#include <span>

namespace zemra {
namespace {

// Orders ignored J pins by their IC, for a search by IC.
struct IgnoredOfIc {
    bool operator()(const IgnoredJPin& pin, std::size_t ic) const { return pin.ic < ic; }
    bool operator()(std::size_t ic, const IgnoredJPin& pin) const { return ic < pin.ic; }
};

}  // namespace

std::size_t BoardReport::icCount() const {
    return outcome.summary ? outcome.summary->ics.size() : 0;
}

bool BoardReport::hasRow(std::uint64_t offset) const {
    return offset % kRecordSize == 0 && rows.has(offset / kRecordSize);
}

std::uint32_t BoardReport::rowOf(PinStepOrdinal pinStep) const {
    return rows.rowOf(pinSteps.offsetAt(pinStep) / kRecordSize);
}

const StepRow* BoardReport::rowAt(std::uint64_t offset) const {
    const auto row = std::lower_bound(
        stepRows.begin(), stepRows.end(), offset,
        [](const StepRow& kept, std::uint64_t wanted) { return kept.offset < wanted; });
    return row != stepRows.end() && row->offset == offset ? &*row : nullptr;
}

std::optional<IcTrace> BoardReport::traceOf(std::size_t index) const {
    if (!outcome.summary || index >= outcome.summary->ics.size()) {
        return std::nullopt;
    }
    const ConversionSummary& summary = *outcome.summary;
    const auto ignored = std::equal_range(summary.ignoredJPinList.begin(),
                                          summary.ignoredJPinList.end(), index, IgnoredOfIc());
    const std::span<const IgnoredJPin> ignoredJPins(ignored.first, ignored.second);
    if (index < summary.icPinTables.size()) {
        const IcPinSources* sources =
            index < summary.icPinSources.size() ? &summary.icPinSources[index] : nullptr;
        return IcTrace{index, summary.ics[index], summary.icPinTables[index], sources,
                       ignoredJPins};
    }
    const auto kept = std::lower_bound(
        keptIcs.begin(), keptIcs.end(), index,
        [](const KeptIcPins& pins, std::size_t wanted) { return pins.index < wanted; });
    if (kept == keptIcs.end() || kept->index != index) {
        return std::nullopt;
    }
    return IcTrace{index, summary.ics[index], kept->table, &kept->sources, ignoredJPins};
}

}  // namespace zemra
