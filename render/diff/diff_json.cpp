#include "diff_json.h"

#include "diff_fields.h"

namespace zemra::cli {
namespace {

Json stepNumber(const ListedStep* step) {
    return step == nullptr ? Json() : Json(step->fields.step);
}

Json fieldJson(const DumpField& field) {
    switch (field.kind) {
        case DumpField::Kind::Number:
            return field.number;
        case DumpField::Kind::Code:
            return field.text;
        case DumpField::Kind::Name:
            return byteText(field.text);
    }
    return {};
}

Json sourceStep(const StepRef* source) {
    return source == nullptr ? Json() : Json(source->step);
}

Json sourceName(const StepRef* source) {
    return source == nullptr ? Json() : Json(byteText(source->partName.view()));
}

// Every column the step's listing shows but its number, by heading, as the listing shows it.
Json everyColumnJson(const ListedColumns& columns) {
    Json object = Json::object();
    for (const ListingColumn* column : headedColumns()) {
        if (column->id == ColumnId::Step || (column->id == ColumnId::Type && !columns.hasType)) {
            continue;
        }
        object[std::string(column->heading)] = byteText(columnText(columns, column->id));
    }
    return object;
}

// The columns that differ, by heading: [before, after] as the listings show them.
Json changedColumnsJson(const ListedColumns& before, const ListedColumns& after) {
    Json object = Json::object();
    for (const ColumnChange& change : changedColumns(before, after, true)) {
        object[std::string(change.column->heading)] =
            Json::array({byteText(change.before), byteText(change.after)});
    }
    return object;
}

std::string_view changeName(StepChangeKind kind) {
    switch (kind) {
        case StepChangeKind::Added:
            return "added";
        case StepChangeKind::Removed:
            return "removed";
        case StepChangeKind::Changed:
            return "changed";
        case StepChangeKind::Moved:
            return "moved";
    }
    return "";
}

}  // namespace

Json stepChangeJson(const StepChange& change) {
    const ListedStep& named = change.after != nullptr ? *change.after : *change.before;
    Json object;
    object["change"] = changeName(change.kind);
    object["partName"] = byteText(named.fields.partsN);
    object["oldStep"] = stepNumber(change.before);
    object["newStep"] = stepNumber(change.after);
    if (change.kind == StepChangeKind::Added || change.kind == StepChangeKind::Removed) {
        object["columns"] = everyColumnJson(named.columns);
    }
    if (change.kind == StepChangeKind::Changed || change.movedAndChanged()) {
        object["columns"] = changedColumnsJson(change.before->columns, change.after->columns);
        if (!bothHaveRecords(change)) {
            return object;
        }
        Json fields = Json::object();
        for (const RecordFieldChange& field : changedRecordFields(*change.before, *change.after)) {
            fields[std::string(field.name)] =
                Json::array({fieldJson(field.before), fieldJson(field.after)});
        }
        object["fields"] = std::move(fields);
    }
    return object;
}

Json icChangeJson(const IcChange& change) {
    Json object;
    switch (change.kind) {
        case IcChangeKind::Added:
            object["change"] = "icAdded";
            object["ic"] = byteText(change.name);
            object["pinCount"] = change.newPinCount;
            break;
        case IcChangeKind::Removed:
            object["change"] = "icRemoved";
            object["ic"] = byteText(change.name);
            object["pinCount"] = change.oldPinCount;
            break;
        case IcChangeKind::PinCount:
            object["change"] = "icPinCount";
            object["ic"] = byteText(change.name);
            object["oldPinCount"] = change.oldPinCount;
            object["newPinCount"] = change.newPinCount;
            break;
        case IcChangeKind::Pin:
            object["change"] = "icPin";
            object["ic"] = byteText(change.name);
            object["pin"] = change.pin;
            object["oldTesterPin"] = change.oldTesterPin;
            object["newTesterPin"] = change.newTesterPin;
            object["oldSourceStep"] = sourceStep(change.oldSource);
            object["oldSourcePartName"] = sourceName(change.oldSource);
            object["newSourceStep"] = sourceStep(change.newSource);
            object["newSourcePartName"] = sourceName(change.newSource);
            break;
    }
    return object;
}

Json checkChangeJson(const CheckChange& change) {
    const Check& check = *change.check;
    Json object;
    object["change"] = change.kind == CheckChangeKind::Added ? "checkAdded" : "checkResolved";
    object["id"] = checkIdText(check.id);
    object["severity"] = severityText(severityOf(check.id));
    object["offset"] = check.offset ? Json(*check.offset) : Json();
    object["step"] = check.step ? Json(*check.step) : Json();
    object["message"] = byteText(check.sentence);
    return object;
}

void DiffJson::takeRevisions(const Fingerprint& before, const Fingerprint& after) {
    header_.beforeBytes = before;
    header_.afterBytes = after;
    out_ << jsonText(headerJson(header_)) << '\n';
}

void DiffJson::takeCheck(const CheckChange& change) {
    out_ << jsonText(checkChangeJson(change)) << '\n';
}

void DiffJson::takeStep(const StepChange& change) {
    out_ << jsonText(stepChangeJson(change)) << '\n';
}

void DiffJson::takeIc(const IcChange& change) {
    out_ << jsonText(icChangeJson(change)) << '\n';
}

void DiffJson::finish(const DiffCounts& counts) {
    for (const std::string_view output : counts.changedOtherOutputs) {
        Json object;
        object["change"] = "output";
        object["output"] = output;
        out_ << jsonText(object) << '\n';
    }
}

}  // namespace zemra::cli
