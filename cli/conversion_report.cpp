#include "conversion_report.h"

#include "escaped_text.h"
#include "platform/utf8_paths.h"

namespace zemra::cli {
namespace {

// Unresolved pins listed by name in the text report; the rest are counted.
constexpr std::size_t kListedPins = 10;

void writeIcLine(const IcSummary& ic, std::ostream& out) {
    const std::int64_t resolved = ic.pinsFromDiodeSteps + ic.pinsFromJSteps;
    out << "  " << escapedBytes(ic.name) << " (LC " << escapedBytes(ic.lc) << "): " << ic.pinCount
        << " pins from ICP " << ic.firstIcp << ", " << resolved << " resolved ("
        << ic.pinsFromDiodeSteps << " from diode steps, " << ic.pinsFromJSteps << " from J steps), "
        << ic.unresolvedCount << " unresolved";
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

template <class Number>
void writeField(std::ostream& out, const char* name,
                const std::optional<ConversionSummary>& summary, Number ConversionSummary::*field) {
    out << ",\"" << name << "\":";
    if (summary) {
        out << (*summary).*field;
    } else {
        out << "null";
    }
}

}  // namespace

void writeTextReport(const std::filesystem::path& input, const RunOutcome& outcome,
                     std::ostream& out) {
    out << shownName(input) << ": ";
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
        out << "outputs in " << shownName(outcome.outputFolder) << '\n';
    } else {
        out << "outputs not written\n";
    }
    for (const IcSummary& ic : summary.ics) {
        writeIcLine(ic, out);
    }
}

void writeJsonReport(const std::filesystem::path& input, const RunOutcome& outcome,
                     std::ostream& out) {
    const std::optional<ConversionSummary>& summary = outcome.summary;
    out << "{\"input\":\"" << escapedPath(platform::utf8Of(input)) << "\",\"outputFolder\":";
    if (outcome.outputFolder.empty()) {
        out << "null";
    } else {
        out << '"' << escapedPath(platform::utf8Of(outcome.outputFolder)) << '"';
    }
    out << ",\"clean\":" << (outcome.committed ? "true" : "false");
    writeField(out, "records", summary, &ConversionSummary::records);
    writeField(out, "ignoredBytes", summary, &ConversionSummary::ignoredBytes);
    writeField(out, "steps", summary, &ConversionSummary::steps);
    writeField(out, "skippedSteps", summary, &ConversionSummary::skippedSteps);
    writeField(out, "droppedRecords", summary, &ConversionSummary::droppedRecords);
    writeField(out, "ignoredJPins", summary, &ConversionSummary::ignoredJPins);
    out << ",\"ics\":";
    if (!summary) {
        out << "null}\n";
        return;
    }
    const char* separator = "[";
    for (const IcSummary& ic : summary->ics) {
        out << separator << "{\"name\":\"" << escapedBytes(ic.name) << "\",\"lc\":\""
            << escapedBytes(ic.lc) << "\",\"pinCount\":" << ic.pinCount
            << ",\"firstIcp\":" << ic.firstIcp
            << ",\"pinsFromDiodeSteps\":" << ic.pinsFromDiodeSteps
            << ",\"pinsFromJSteps\":" << ic.pinsFromJSteps << ",\"unresolvedPins\":[";
        const char* pinSeparator = "";
        ic.forEachUnresolvedPin([&](int pin) {
            out << pinSeparator << pin;
            pinSeparator = ",";
            return true;
        });
        out << "]}";
        separator = ",";
    }
    out << (summary->ics.empty() ? "[]}\n" : "]}\n");
}

}  // namespace zemra::cli
