#include "report/board_report.h"

#include <algorithm>

#include "report/pin_explanations.h"

namespace zemra {

std::size_t BoardReport::icCount() const {
    return outcome.summary ? outcome.summary->ics.size() : 0;
}

std::vector<bool> icsWithProblems(const ConversionSummary& summary) {
    std::vector<bool> flagged(summary.ics.size(), false);
    for (std::size_t index = 0; index < summary.ics.size(); ++index) {
        flagged[index] = summary.ics[index].unresolvedCount > 0 ||
                         (index < summary.icPinSources.size() &&
                          !findPinConflicts(summary.icPinSources[index]).empty());
    }
    for (const auto& ignored : summary.ignoredJPinList) {
        if (ignored.ic < flagged.size()) {
            flagged[ignored.ic] = true;
        }
    }
    return flagged;
}

void BoardReport::keepRow(std::uint64_t ordinal) {
    if (ordinal >= rowKept.size()) {
        rowKept.resize(ordinal + 1, false);
    }
    rowKept[ordinal] = true;
}

bool BoardReport::hasRow(std::uint64_t offset) const {
    const std::uint64_t ordinal = offset / kRecordSize;
    return offset % kRecordSize == 0 && ordinal < rowKept.size() && rowKept[ordinal];
}

const StepRow* BoardReport::rowAt(std::uint64_t offset) const {
    const auto row = std::lower_bound(
        stepRows.begin(), stepRows.end(), offset,
        [](const StepRow& kept, std::uint64_t wanted) { return kept.offset < wanted; });
    return row != stepRows.end() && row->offset == offset ? &*row : nullptr;
}

}  // namespace zemra
