#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "report/check_list.h"
#include "report/first_step_of_name.h"
#include "run/record_observer.h"

namespace zemra {

// The checks that the records of a run give, taken record by record as the run sees them.
class RecordChecker {
  public:
    // Without `checkPartNames`, repeated part names are left to the caller, who may find them
    // more cheaply than by keeping every name.
    explicit RecordChecker(CheckList& checks, bool checkPartNames = true)
        : checks_(checks), checkPartNames_(checkPartNames) {}

    // Takes room for the part names of `records` at once.
    void expectRecords(std::uint64_t records) {
        if (checkPartNames_) {
            firstStepOfName_.expectNames(records);
        }
    }
    void check(const RecordTrace& trace);
    // Starts fetching what check() will need of memory for `trace`, which comes a little later.
    void fetch(const RecordTrace& trace) const {
        if (checkPartNames_ && trace.kind == StepKind::Decoded) {
            firstStepOfName_.fetch(trace.fields.partsN);
        }
    }
    // Where the part name of the last decoded step checked starts in the names kept, and whether
    // it was kept with that step's number: no step had it before.
    std::uint32_t lastPartName() const { return firstStepOfName_.lastName(); }
    bool lastPartNameNew() const { return firstStepOfName_.lastNameNew(); }
    // The part names seen, once no record is to come; the table that found them goes.
    PartNames takePartNames() { return firstStepOfName_.takeNames(); }

  private:
    void checkUnknownCodes(const RecordTrace& trace, std::uint64_t offset);
    void checkPins(const StepFields& fields, std::uint64_t offset);
    void checkPartName(const StepFields& fields, std::uint64_t offset);

    CheckList& checks_;
    bool checkPartNames_;
    FirstStepOfName firstStepOfName_;
};

// A trailing partial record, which no step shows.
void checkTrailingBytes(std::uint64_t records, std::uint64_t ignoredBytes, CheckList& checks);

// What a duplicate-part-name check says of a step named `name` whose name step `firstStep` had.
std::string duplicateNameSentence(std::string_view name, std::int64_t firstStep);

// "0x1C": a code byte as the checks and the page show it.
std::string codeText(unsigned byte);

}  // namespace zemra
