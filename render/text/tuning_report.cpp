#include "tuning_report.h"

#include "escaped_text.h"
#include "json_text.h"

namespace zemra::cli {
namespace {

std::string_view kindText(TuningKind kind) {
    switch (kind) {
        case TuningKind::Carried:
            return "carried";
        case TuningKind::Conflict:
            return "conflict";
        case TuningKind::Dropped:
            return "dropped";
        case TuningKind::AddedOnTester:
            return "addedOnTester";
        case TuningKind::RemovedOnTester:
            return "removedOnTester";
    }
    return {};
}

// The steps a line names: "new step 12 (old 11, tester 11)", as far as each is there.
std::string stepsText(const TuningEvent& event) {
    std::string text;
    const auto add = [&text](std::string_view name, const std::optional<std::int64_t>& step) {
        if (step) {
            text += (text.empty() ? "" : ", ") + std::string(name) + " " + std::to_string(*step);
        }
    };
    add("new step", event.newStep);
    add("old step", event.oldStep);
    add("tester step", event.tunedStep);
    return text;
}

Json optionalNumber(const std::optional<std::int64_t>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json optionalBytes(const std::optional<std::string>& value) {
    return value ? byteText(*value) : Json(nullptr);
}

}  // namespace

std::string tuningSummaryLine(const TuningPlan& plan) {
    return std::to_string(plan.carriedColumns) + " tuned columns of " +
           std::to_string(plan.carriedSteps()) + " steps carried, " +
           std::to_string(plan.conflicts) + " conflicts kept the new value, " +
           std::to_string(plan.droppedSteps) + " tuned steps dropped";
}

void writeTuningText(const TuningEvent& event, std::ostream& out) {
    const std::string name = textEscapedBytes(event.partName);
    const std::string column =
        event.column != nullptr ? std::string(event.column->heading) : std::string();
    const auto value = [](const std::optional<std::string>& text) {
        return textEscapedBytes(text.value_or(""));
    };
    switch (event.kind) {
        case TuningKind::Carried:
            out << "carried " << name << " " << column << ": " << value(event.tuned)
                << " (old and new " << value(event.base) << "; " << stepsText(event) << ")\n";
            break;
        case TuningKind::Conflict:
            out << "conflict " << name << " " << column << ": kept the new " << value(event.revised)
                << " (old " << value(event.base) << ", tester " << value(event.tuned) << "; "
                << stepsText(event) << ")\n";
            break;
        case TuningKind::Dropped:
            out << "dropped " << name << " " << column << ": tester " << value(event.tuned)
                << " (old " << value(event.base) << "; the new revision lacks the step; "
                << stepsText(event) << ")\n";
            break;
        case TuningKind::AddedOnTester:
            out << "added on the tester " << name << " (" << stepsText(event)
                << "): the old revision lacks it, nothing carried\n";
            break;
        case TuningKind::RemovedOnTester:
            out << "removed on the tester " << name << " (" << stepsText(event)
                << (event.newStep ? "): the new revision lists it as converted\n"
                                  : "): the new revision lacks it too\n");
            break;
    }
}

void writeTuningJson(const TuningEvent& event, std::ostream& out) {
    Json object;
    object["tuning"] = kindText(event.kind);
    object["partName"] = byteText(event.partName);
    object["oldStep"] = optionalNumber(event.oldStep);
    object["newStep"] = optionalNumber(event.newStep);
    object["tunedStep"] = optionalNumber(event.tunedStep);
    object["column"] =
        event.column != nullptr ? Json(std::string(event.column->heading)) : Json(nullptr);
    object["base"] = optionalBytes(event.base);
    object["tuned"] = optionalBytes(event.tuned);
    object["new"] = optionalBytes(event.revised);
    out << jsonText(object) << '\n';
}

}  // namespace zemra::cli
