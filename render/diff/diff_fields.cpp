#include "diff_fields.h"

#include <algorithm>
#include <string>

#include "decode/listing_lines.h"
#include "escaped_text.h"
#include "io/byte_sink.h"

namespace zemra::cli {
namespace {

bool sameField(const DumpField& one, const DumpField& other) {
    return one.kind == other.kind && one.number == other.number && one.text == other.text;
}

}  // namespace

bool bothHaveRecords(const StepChange& change) {
    return change.before != nullptr && change.after != nullptr && change.before->hasRecord &&
           change.after->hasRecord;
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
            return textEscapedName(field.text);
    }
    return {};
}

std::vector<std::string> numberedLines(const ListedStep& step) {
    MemorySink text;
    {
        TextWriter writer(text);
        writeListedStep(step.columns, writer);
        writer.flush();
    }
    // Line 2 holds no name, so the last line end but one ends line 1, whatever bytes a name
    // holds.
    std::string_view lines = text.text();
    lines.remove_suffix(std::min<std::size_t>(lines.size(), 2));
    const std::size_t split = lines.rfind("\r\n");
    return {std::string(lines.substr(0, split)), std::string(lines.substr(split + 2))};
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
