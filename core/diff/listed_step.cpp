#include "diff/listed_step.h"

#include <algorithm>

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
        step_.columnsListed = false;
        return &step_;
    }
    return nullptr;
}

void listColumns(ListedStep& step, TesterVariant variant) {
    if (step.columnsListed) {
        return;
    }
    step.columns = step.kind == StepKind::Skipped ? skippedStepColumns(step.fields.step)
                                                  : listedColumns(step.fields, variant);
    step.columnsListed = true;
}

bool sameListing(const ListedColumns& one, const ListedColumns& other) {
    ListedColumns renumbered = other;
    renumbered.step = one.step;
    return one == renumbered;
}

std::vector<ColumnChange> changedColumns(const ListedColumns& before, const ListedColumns& after,
                                         bool allColumns) {
    std::vector<ColumnChange> changes;
    for (const ListingColumn* column : headedColumns()) {
        if (column->id == ColumnId::Step || !(allColumns || column->fromRecord)) {
            continue;
        }
        if (!sameColumn(before, after, column->id)) {
            changes.push_back(
                {column, columnText(before, column->id), columnText(after, column->id)});
        }
    }
    return changes;
}

}  // namespace zemra
