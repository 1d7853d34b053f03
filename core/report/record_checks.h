#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "report/check_list.h"
#include "run/record_observer.h"

namespace zemra {

// The checks that the records of a run give, taken record by record as the run sees them.
class RecordChecker {
  public:
    explicit RecordChecker(CheckList& checks) : checks_(checks) {}

    void check(const RecordTrace& trace);

  private:
    void checkUnknownCodes(const RecordTrace& trace, std::uint64_t offset);
    void checkPins(const StepFields& fields, std::uint64_t offset);
    void checkPartName(const StepFields& fields, std::uint64_t offset);

    CheckList& checks_;
    std::unordered_map<std::string, std::int64_t> firstStepOfName_;
};

// A trailing partial record, which no step shows.
void checkTrailingBytes(std::uint64_t records, std::uint64_t ignoredBytes, CheckList& checks);

// "0x1C": a code byte as the checks and the page show it.
std::string codeText(unsigned byte);

}  // namespace zemra
