#include "conversion_report.h"

#include "escaped_text.h"
#include "platform/utf8_paths.h"

namespace zemra::cli {
namespace {

// Unresolved pins listed by name in the text report; the rest are counted.
constexpr std::size_t kListedPins = 10;

void writeIcLine(const IcSummary& ic, std::ostream& out) {
    const std::int64_t resolved = ic.pinsFromDiodeSteps + ic.pinsFromJSteps;
    out << "  " << textEscapedName(ic.name) << " (LC " << textEscapedName(ic.lc)
        << "): " << ic.pinCount << " pins from ICP " << ic.firstIcp << ", " << resolved
        << " resolved (" << ic.pinsFromDiodeSteps << " from diode steps, " << ic.pinsFromJSteps
        << " from J steps), " << ic.unresolvedCount << " unresolved";
    const std::vector<int> listed = ic.unresolvedPins(kListedPins);
    const char* separator = ": ";
    for (const int pin : listed) {
        out << separator << pin << '/' << ic.firstIcp + pin - 1;
        separator = " ";
    }
    const auto rest = ic.unresolvedCount - static_cast<std::int64_t>(listed.size());
    if (rest > 0) {
        out << " … and " << rest << " more";
    }
    out << '\n';
}

}  // namespace

void writeTextReport(const std::filesystem::path& input, const RunOutcome& outcome,
                     std::ostream& out) {
    out << consoleEscapedName(input) << ": ";
    if (!outcome.summary) {
        out << "not converted\n";
        return;
    }
    const ConversionSummary& summary = *outcome.summary;
    out << summary.records << " records, " << summary.ignoredBytes << " bytes ignored, "
        << summary.steps << " steps (" << summary.skippedSteps << " \"*\" steps), "
        << summary.droppedRecords << " records dropped, " << summary.ics.size() << " ICs, "
        << summary.ignoredJPins << " J pins ignored; ";
    if (outcome.committed) {
        out << "outputs in " << consoleEscapedName(outcome.outputFolder) << '\n';
    } else {
        out << "outputs not written\n";
    }
    for (const IcSummary& ic : summary.ics) {
        writeIcLine(ic, out);
    }
}

}  // namespace zemra::cli
