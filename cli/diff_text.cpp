#include "diff_text.h"

#include <string>

#include "diff_fields.h"
#include "escaped_text.h"

namespace zemra::cli {
namespace {

void writeLines(const ListedStep& step, std::ostream& out) {
    for (const std::string& line : numberedLines(step)) {
        out << "    " << escapedBytes(line) << '\n';
    }
}

std::string plural(std::uint64_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

}  // namespace

void DiffText::takeStep(const StepChange& change) {
    switch (change.kind) {
        case StepChangeKind::Removed:
            out_ << "removed: old step " << change.before->fields.step << ", "
                 << escapedBytes(change.before->fields.partsN) << '\n';
            writeLines(*change.before, out_);
            return;
        case StepChangeKind::Added:
            out_ << "added: new step " << change.after->fields.step << ", "
                 << escapedBytes(change.after->fields.partsN) << '\n';
            writeLines(*change.after, out_);
            return;
        case StepChangeKind::Changed:
            out_ << "changed: old step " << change.before->fields.step << ", new step "
                 << change.after->fields.step << ", " << escapedBytes(change.after->fields.partsN)
                 << '\n';
            for (const ColumnChange& column :
                 changedColumns(change.before->columns, change.after->columns, false)) {
                out_ << "    " << column.column->heading << ": " << escapedBytes(column.before)
                     << " -> " << escapedBytes(column.after) << '\n';
            }
            for (const RecordFieldChange& field :
                 changedRecordFields(*change.before, *change.after)) {
                out_ << "    record " << field.name << ": " << fieldText(field.before) << " -> "
                     << fieldText(field.after) << '\n';
            }
            return;
    }
}

void DiffText::takeIc(const IcChange& change) {
    out_ << "IC " << escapedBytes(change.name);
    switch (change.kind) {
        case IcChangeKind::Added:
            out_ << " added: " << change.newPinCount << " pins\n";
            return;
        case IcChangeKind::Removed:
            out_ << " removed: " << change.oldPinCount << " pins\n";
            return;
        case IcChangeKind::PinCount:
            out_ << ": pin count " << change.oldPinCount << " -> " << change.newPinCount << '\n';
            return;
        case IcChangeKind::Pin:
            out_ << " pin " << change.pin << ": tester pin " << change.oldTesterPin << " -> "
                 << change.newTesterPin << '\n';
            return;
    }
}

void DiffText::finish(const DiffCounts& counts) {
    for (const std::string_view output : counts.otherOutputs) {
        out_ << "the " << output
             << (counts.stepsOrIcsDiffer()
                     ? " files differ as well\n"
                     : " files differ, though no step and no IC pin does: the order or the LC of "
                       "the ICs\n");
    }
    out_ << plural(counts.stepsAdded, "step", "steps") << " added, " << counts.stepsRemoved
         << " removed, " << counts.stepsChanged << " changed; "
         << plural(counts.icsAdded, "IC", "ICs") << " added, " << counts.icsRemoved << " removed, "
         << plural(counts.icPinCounts, "pin count", "pin counts") << " changed, "
         << plural(counts.icPins, "IC pin", "IC pins") << " changed\n";
}

}  // namespace zemra::cli
