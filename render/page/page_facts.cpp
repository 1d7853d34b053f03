// The facts of a board's section: input, options, time, version, outputs, counts and messages.
#include <array>
#include <numeric>

#include "html_text.h"
#include "page_sections.h"
#include "page_values.h"
#include "platform/utf8_paths.h"

namespace zemra::cli {
namespace {

void appendFact(std::string& page, std::string_view term, std::string_view utf8) {
    page += "<dt>";
    page += term;
    page += "</dt><dd>";
    appendHtml(page, utf8);
    page += "</dd>";
}

std::string optionsText(const DecodeOptions& options) {
    return std::string(variantName(options.variant)) +
           (options.reversePins ? ", reverse pins" : ", pins as read");
}

void appendOutputs(const BoardReport& board, const RunFingerprints& fingerprints,
                   std::string& page) {
    page +=
        "<table class=\"outputs\"><thead><tr><th>Output</th><th>Bytes</th><th>SHA-256</th>"
        "</tr></thead><tbody>";
    for (std::size_t output = 0; output < kOutputCount; ++output) {
        const Fingerprint& fingerprint = fingerprints.outputs[output];
        page += "<tr><td>";
        appendHtml(page, board.title + std::string(extensionOf(static_cast<OutputKind>(output))));
        page += "</td><td class=\"number\">" + std::to_string(fingerprint.size) +
                "</td><td><code>" + fingerprint.sha256Hex() + "</code></td></tr>";
    }
    page += "</tbody></table>";
}

void appendCounts(const ConversionSummary& summary, std::string& page) {
    const std::int64_t unresolved = std::accumulate(
        summary.ics.begin(), summary.ics.end(), std::int64_t{0},
        [](std::int64_t sum, const IcSummary& ic) { return sum + ic.unresolvedCount; });
    const std::array<std::pair<const char*, std::string>, 8> counts{{
        {"Records", std::to_string(summary.records)},
        {"Bytes ignored", std::to_string(summary.ignoredBytes)},
        {"Steps", std::to_string(summary.steps)},
        {"&quot;*&quot; steps", std::to_string(summary.skippedSteps)},
        {"Records dropped", std::to_string(summary.droppedRecords)},
        {"ICs", std::to_string(summary.ics.size())},
        {"Unresolved IC pins", std::to_string(unresolved)},
        {"J pins ignored", std::to_string(summary.ignoredJPins)},
    }};
    page += "<table class=\"counts\"><tbody><tr>";
    for (const auto& [name, value] : counts) {
        page += "<th>" + std::string(name) + "</th>";
    }
    page += "</tr><tr>";
    for (const auto& [name, value] : counts) {
        page += "<td class=\"number\">" + value + "</td>";
    }
    page += "</tr></tbody></table>";
}

}  // namespace

void appendFacts(const BoardReport& board, std::string& page) {
    const RunOutcome& outcome = board.outcome;
    page += "<dl class=\"facts\">";
    appendFact(page, "Input", board.input);
    if (outcome.fingerprints) {
        appendFact(page, "Size", std::to_string(outcome.fingerprints->input.size) + " bytes");
        page +=
            "<dt>SHA-256</dt><dd><code>" + outcome.fingerprints->input.sha256Hex() + "</code></dd>";
    }
    appendFact(page, "Options", optionsText(board.settings.options));
    appendFact(page, "Converted",
               timeText(board.settings.at, ' ') + " (local time), zemra " + board.version);
    appendFact(page, "Outputs",
               outcome.committed ? platform::utf8Of(outcome.outputFolder) : "not written");
    if (!board.messages.empty()) {
        page += "<dt>Messages</dt><dd><ul class=\"messages\">";
        for (const std::string& message : board.messages) {
            page += "<li>";
            appendHtml(page, message);
            page += "</li>";
        }
        page += "</ul></dd>";
    }
    page += "</dl>";
    if (outcome.fingerprints) {
        appendOutputs(board, *outcome.fingerprints, page);
    }
    if (outcome.summary) {
        appendCounts(*outcome.summary, page);
    }
}

}  // namespace zemra::cli
