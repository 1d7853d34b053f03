#pragma once

#include <string>
#include <string_view>

#include "decode/step_fields.h"
#include "report/board_report.h"
#include "run/local_date_time.h"

namespace zemra::cli {

// A value with two decimals, as the listing prints it.
std::string valueText(float value);

// "2002-03-06T15:01:33", or with another separator between date and time.
std::string timeText(const LocalDateTime& at, char separator = 'T');

// The Type of a row's step as the listing shows it: none under the KX740E, which has no Type
// column, nor for a record that gave no decoded step.
std::string_view listedType(const StepRow& row, TesterVariant variant);

// What a row's record became: "step", "pin step", "*" or "dropped".
std::string_view becameText(const StepRow& row);

// "KX740 FE/FR" or "KX740E".
std::string_view variantName(TesterVariant variant);

}  // namespace zemra::cli
