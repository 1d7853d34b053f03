#pragma once

#include <string>
#include <vector>

#include "record_builder.h"
#include "report/board_report.h"

namespace zemra::testing {

// The report of a traced, committed conversion of the records.
BoardReport reportOf(const std::vector<RecordBuilder>& records);

// Device `device` with diode steps to common tester pin 1 for the pins given, at tester pin
// 100 + pin, after a resistor.
std::vector<RecordBuilder> icWithDiodePins(const std::string& device, const std::vector<int>& pins);

}  // namespace zemra::testing
