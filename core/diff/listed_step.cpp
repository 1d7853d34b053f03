#include "diff/listed_step.h"

#include <algorithm>

#include "decode/listing_lines.h"
#include "text/format.h"

namespace zemra {
namespace {

// The fields that a "*" step's listing lines show.
StepFields skippedStepFields(std::int64_t step) {
    StepFields fields;
    fields.step = step;
    fields.partsN.assign("*");
    fields.skip = true;
    fields.type = "";
    return fields;
}

std::string valueText(float value, std::string_view unit) {
    std::string text;
    appendFormatted(text, "%.2f", static_cast<double>(value));
    text += unit;
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

}  // namespace

StepCursor::StepCursor(ByteSource& input, const DecodeOptions& options)
    : reader_(input), steps_(options) {}

ListedStep* StepCursor::next() {
    while (const auto bytes = reader_.next()) {
        const std::uint64_t ordinal = ordinal_++;
        const ComponentRecord record = decodeRecord(*bytes);
        const StepKind kind = steps_.decode(record);
        if (kind == StepKind::Dropped) {
            continue;
        }
        step_.kind = kind;
        step_.offset = ordinal * kRecordSize;
        std::copy(bytes->begin(), bytes->end(), step_.bytes.begin());
        step_.record = record;
        step_.fields =
            kind == StepKind::Skipped ? skippedStepFields(steps_.fields().step) : steps_.fields();
        step_.lines.clear();
        return &step_;
    }
    return nullptr;
}

void fillLines(ListedStep& step, TesterVariant variant) {
    if (!step.lines.empty()) {
        return;
    }
    MemorySink lines;
    TextWriter writer(lines);
    if (step.kind == StepKind::Skipped) {
        writeSkippedStepLines(0, writer);
    } else {
        StepFields unnumbered = step.fields;
        unnumbered.step = 0;
        writeStepLines(unnumbered, variant, writer);
    }
    writer.flush();
    step.lines = lines.text();
}

std::vector<ListingColumn> listingColumns(const ListedStep& step, TesterVariant variant) {
    const StepFields& fields = step.fields;
    std::vector<ListingColumn> columns{
        {"Parts-N", std::string(fields.partsN.view())},
        {"Actual-V", valueText(fields.actualV, fields.unit)},
        {"LC", std::string(fields.lc.view())},
        {"Hi-P", std::to_string(fields.hiP)},
        {"Lo-P", std::to_string(fields.loP)},
    };
    for (std::size_t guard = 0; guard < fields.guardPins.size(); ++guard) {
        static constexpr std::array<std::string_view, 5> kGuardHeadings{"G-P1", "G-P2", "G-P3",
                                                                        "G-P4", "G-P5"};
        columns.push_back({kGuardHeadings[guard], std::to_string(fields.guardPins[guard])});
    }
    columns.push_back({"Skip", fields.skip ? "1" : "0"});
    if (variant == TesterVariant::Kx740FeFr && step.kind == StepKind::Decoded) {
        columns.push_back({"Type", std::string(fields.type)});
    }
    columns.push_back({"Stand-V", valueText(fields.standV, fields.unit)});
    columns.push_back({"+Lm%", std::to_string(fields.upperLimit)});
    columns.push_back({"-Lm%", std::to_string(fields.lowerLimit)});
    columns.push_back({"DLY", std::to_string(fields.dly)});
    columns.push_back({"MODE", std::to_string(fields.mode)});
    return columns;
}

}  // namespace zemra
