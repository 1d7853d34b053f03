#include "report/check_list.h"

namespace zemra {

std::string_view checkIdText(CheckId id) {
    switch (id) {
        case CheckId::DroppedRecord:
            return "dropped-record";
        case CheckId::SkippedStep:
            return "skipped-step";
        case CheckId::PartialRecord:
            return "partial-record";
        case CheckId::UnknownCode:
            return "unknown-code";
        case CheckId::SameHiLoPin:
            return "same-hi-lo-pin";
        case CheckId::DuplicatePartName:
            return "duplicate-part-name";
        case CheckId::UnresolvedIcPin:
            return "unresolved-ic-pin";
        case CheckId::IgnoredJPin:
            return "ignored-j-pin";
        case CheckId::ConflictingPinSource:
            return "conflicting-pin-source";
    }
    return "";
}

Severity severityOf(CheckId id) {
    switch (id) {
        case CheckId::UnresolvedIcPin:
        case CheckId::SameHiLoPin:
            return Severity::Error;
        case CheckId::SkippedStep:
            return Severity::Info;
        default:
            return Severity::Warning;
    }
}

std::string_view severityText(Severity severity) {
    switch (severity) {
        case Severity::Error:
            return "error";
        case Severity::Warning:
            return "warning";
        case Severity::Info:
            return "info";
    }
    return "";
}

}  // namespace zemra
