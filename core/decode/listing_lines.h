#pragma once

#include <cstdint>

#include "decode/listing_columns.h"
#include "decode/step_fields.h"
#include "text/text_writer.h"

namespace zemra {

// The listing's line formats. The writers below print exactly what these C formats print, each
// "\n" as CR LF; the formats stay here as their definition.
inline constexpr const char* kStepLine1Kx740e =
    "%4d %-13s%7.2f%2s   %2s %4d %4d  %4d  %4d  %4d  %4d  %4d     %1d\n";
inline constexpr const char* kStepLine1FeFr =
    "%4d %-13s%7.2f%2s   %2s %4d %4d  %4d  %4d  %4d  %4d  %4d     %1d %s\n";
inline constexpr const char* kStepLine2 =
    "            0.0   %7.2f%2s   %2d   %2d  %3d     %d     0     0     0   0.0   0.0\n";
inline constexpr const char* kSkippedStepLine2 =
    "            0.0   %7.2f%2s   %2d   %2d  %3d     %d     0     %d     0   0.0   0.0\n";

// The two listing lines of a listed step, each column as its format prints it.
void writeListedStep(const ListedColumns& columns, TextWriter& listing);

// The two listing lines of a decoded step, in the format of the tester variant.
void writeStepLines(const StepFields& fields, TesterVariant variant, TextWriter& listing);

// The two listing lines of a record shown as a skipped "*" step: line 1 of KX740E with Step, "*",
// 0.0, blank unit and LC, seven zero pins and Skip 1; line 2 with zeros.
void writeSkippedStepLines(std::int64_t step, TextWriter& listing);

}  // namespace zemra
