#include "diff_text.h"

#include <string>

#include "diff_fields.h"
#include "escaped_text.h"

namespace zemra::cli {
namespace {

void writeLines(const ListedStep& step, std::ostream& out) {
    for (const std::string& line : numberedLines(step)) {
        out << "    " << textEscapedName(line) << '\n';
    }
}

// "step 53 U2_12": the step that gave an IC pin its tester pin; "no step" when none did.
std::string sourceText(const StepRef* source) {
    return source == nullptr
               ? "no step"
               : "step " + std::to_string(source->step) + " " + textEscapedName(source->partName);
}

std::string plural(std::uint64_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

}  // namespace

void DiffText::takeRevisions(const Fingerprint& before, const Fingerprint& after) {
    header_.beforeBytes = before;
    header_.afterBytes = after;
    out_ << headerText(header_);
}

void DiffText::writeMovedRun() {
    if (moved_.empty()) {
        return;
    }
    const bool one = moved_.steps() == 1;
    out_ << "moved: old step" << (one ? " " : "s ")
         << stepRange(moved_.firstOld(), moved_.lastOld()) << ", new step" << (one ? " " : "s ")
         << stepRange(moved_.firstNew(), moved_.lastNew()) << ", "
         << textEscapedName(moved_.firstName());
    if (!one) {
        out_ << " to " << textEscapedName(moved_.lastName());
    }
    out_ << '\n';
    moved_.clear();
}

void DiffText::takeStep(const StepChange& change) {
    if (moved_.take(change)) {
        return;
    }
    writeMovedRun();
    if (moved_.take(change)) {
        return;
    }
    switch (change.kind) {
        case StepChangeKind::Removed:
            out_ << "removed: old step " << change.before->fields.step << ", "
                 << textEscapedName(change.before->fields.partsN) << '\n';
            writeLines(*change.before, out_);
            return;
        case StepChangeKind::Added:
            out_ << "added: new step " << change.after->fields.step << ", "
                 << textEscapedName(change.after->fields.partsN) << '\n';
            writeLines(*change.after, out_);
            return;
        case StepChangeKind::Changed:
        case StepChangeKind::Moved:
            out_ << (change.kind == StepChangeKind::Moved ? "moved and changed" : "changed")
                 << ": old step " << change.before->fields.step << ", new step "
                 << change.after->fields.step << ", "
                 << textEscapedName(change.after->fields.partsN) << '\n';
            // Without records, the listing's columns are all there is to tell.
            const bool records = bothHaveRecords(change);
            for (const ColumnChange& column :
                 changedColumns(change.before->columns, change.after->columns, !records)) {
                out_ << "    " << column.column->heading << ": " << textEscapedName(column.before)
                     << " -> " << textEscapedName(column.after) << '\n';
            }
            if (!records) {
                return;
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
    writeMovedRun();
    out_ << "IC " << textEscapedName(change.name);
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
                 << change.newTesterPin;
            // A tester folder's pin files do not say which step gave a pin.
            if (!header_.testerFolder) {
                out_ << " (" << sourceText(change.oldSource) << " -> "
                     << sourceText(change.newSource) << ")";
            }
            if (becameUnresolved(change)) {
                out_ << " (error: unresolved)";
            }
            out_ << '\n';
            return;
    }
}

void DiffText::takeCheck(const CheckChange& change) {
    writeMovedRun();
    const Check& check = *change.check;
    out_ << (change.kind == CheckChangeKind::Added ? "check added: " : "check resolved: ")
         << severityText(severityOf(check.id)) << " " << checkIdText(check.id);
    if (check.step) {
        out_ << (change.kind == CheckChangeKind::Added ? ", new step " : ", old step ")
             << *check.step;
    }
    out_ << ": " << textEscapedBytes(check.sentence) << '\n';
}

void DiffText::finish(const DiffCounts& counts) {
    writeMovedRun();
    for (const std::string_view output : counts.changedOtherOutputs) {
        out_ << "the " << output
             << (counts.stepsOrIcsDiffer()
                     ? " files differ as well\n"
                     : " files differ, though no step and no IC pin does: the order or the LC of "
                       "the ICs\n");
    }
    out_ << plural(counts.stepsAdded, "step", "steps") << " added, " << counts.stepsRemoved
         << " removed, " << counts.stepsChanged << " changed, " << counts.stepsMoved << " moved; "
         << plural(counts.icsAdded, "IC", "ICs") << " added, " << counts.icsRemoved << " removed, "
         << plural(counts.icPinCounts, "pin count", "pin counts") << " changed, "
         << plural(counts.icPins, "IC pin", "IC pins") << " changed; "
         << plural(counts.checksAdded, "check", "checks") << " added, " << counts.checksResolved
         << " resolved\n";
}

}  // namespace zemra::cli
