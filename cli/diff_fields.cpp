#include "diff_fields.h"

#include <algorithm>
#include <string>

#include "escaped_text.h"

namespace zemra::cli {
namespace {

bool sameField(const DumpField& one, const DumpField& other) {
    return one.kind == other.kind && one.number == other.number && one.text == other.text;
}

}  // namespace

std::vector<ColumnChange> changedColumns(const ListedStep& before, const ListedStep& after,
                                         TesterVariant variant) {
    std::vector<ListingColumn> oldColumns = listingColumns(before, variant);
    std::vector<ListingColumn> newColumns = listingColumns(after, variant);
    std::vector<ColumnChange> changes;
    for (ListingColumn& oldColumn : oldColumns) {
        for (ListingColumn& newColumn : newColumns) {
            if (newColumn.heading == oldColumn.heading && newColumn.text != oldColumn.text) {
                changes.push_back(
                    {oldColumn.heading, std::move(oldColumn.text), std::move(newColumn.text)});
            }
        }
    }
    return changes;
}

std::vector<RecordFieldChange> changedRecordFields(const ListedStep& before,
                                                   const ListedStep& after) {
    RecordFields oldFields = readRecordFields(before.bytes);
    RecordFields newFields = readRecordFields(after.bytes);
    const auto names = recordFieldNames();
    std::vector<RecordFieldChange> changes;
    for (std::size_t field = 0; field < kRecordFieldCount; ++field) {
        if (!sameField(oldFields[field], newFields[field])) {
            changes.push_back(
                {names[field], std::move(oldFields[field]), std::move(newFields[field])});
        }
    }
    return changes;
}

std::string fieldText(const DumpField& field) {
    switch (field.kind) {
        case DumpField::Kind::Number:
            return std::to_string(field.number);
        case DumpField::Kind::Code:
            return field.text;
        case DumpField::Kind::Name:
            return escapedBytes(field.text);
    }
    return {};
}

std::vector<std::string> numberedLines(const ListedStep& step) {
    // The lines were made with step number 0, printed as "%4d".
    constexpr std::size_t kNumberWidth = 4;
    std::string number = std::to_string(step.fields.step);
    if (number.size() < kNumberWidth) {
        number.insert(0, kNumberWidth - number.size(), ' ');
    }
    // Line 2 holds no name, so the last line end but one ends line 1, whatever bytes a name
    // holds.
    std::string_view text = step.lines;
    text.remove_suffix(std::min<std::size_t>(text.size(), 2));
    const std::size_t split = text.rfind("\r\n");
    std::vector<std::string> lines;
    if (split == std::string_view::npos) {
        lines.emplace_back(text);
    } else {
        lines.emplace_back(text.substr(0, split));
        lines.emplace_back(text.substr(split + 2));
    }
    if (!lines.empty()) {
        lines.front().replace(0, kNumberWidth, number);
    }
    return lines;
}

bool becameUnresolved(const IcChange& change) {
    return change.kind == IcChangeKind::Pin &&
           becameUnresolved(change.pin, change.oldTesterPin, change.newTesterPin,
                            change.newPinCount);
}

bool becameUnresolved(int pin, int oldTesterPin, int newTesterPin, int newPinCount) {
    return newTesterPin == 0 && oldTesterPin != 0 && pin >= 1 && pin <= newPinCount;
}

}  // namespace zemra::cli
