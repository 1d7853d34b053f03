#include "report/check_list.h"

#include <algorithm>

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

std::string_view adviceOf(CheckId id) {
    switch (id) {
        case CheckId::DroppedRecord:
            return "If the record is a test step, give it a part name that begins with a letter; "
                   "if not, give it the skip mark or remove it.";
        case CheckId::SkippedStep:
            return "Nothing to do if the step is meant to be skipped; otherwise give its record a "
                   "part name that begins with a letter.";
        case CheckId::PartialRecord:
            return "The file looks cut short: export it again from its source and compare the "
                   "number of steps.";
        case CheckId::UnknownCode:
            return "Correct the code in the source of the file: the listing shows the field's "
                   "earlier value, not what the code meant.";
        case CheckId::SameHiLoPin:
            return "Correct the Hi-P or the Lo-P of the step: as it is, it measures nothing.";
        case CheckId::DuplicatePartName:
            return "Make sure both steps are meant to test this part; rename one if not.";
        case CheckId::UnresolvedIcPin:
            return "Give each pin named a diode step to the IC's common pin, or a J step to a pin "
                   "whose tester pin is known, or enter its tester pin in the .icp by hand.";
        case CheckId::IgnoredJPin:
            return "Check the pin numbers in the J step's part name: they name a pin that the IC "
                   "does not have.";
        case CheckId::ConflictingPinSource:
            return "Check on the fixture which tester pin is wired to this IC pin: the .icp takes "
                   "the J step's, and the diode step may be the one that is right.";
    }
    return "";
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

void CheckList::append(const CheckList& later) {
    for (const Check& check : later.listed_) {
        if (found_[index(check.id)]++ < kMostListed) {
            listed_.push_back(check);
        }
    }
    for (std::size_t id = 0; id < kCheckIdCount; ++id) {
        found_[id] += later.found_[id] - std::min<std::uint64_t>(later.found_[id], kMostListed);
    }
}

}  // namespace zemra
