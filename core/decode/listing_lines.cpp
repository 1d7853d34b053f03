#include "decode/listing_lines.h"

#include "text/format.h"

namespace zemra {
namespace {

constexpr const char* kLine1Kx740e =
    "%4d %-13s%7.2f%2s   %2s %4d %4d  %4d  %4d  %4d  %4d  %4d     %1d\n";
// KX740 FE/FR adds the Type column; the KX740E format ignores that last argument.
constexpr const char* kLine1FeFr =
    "%4d %-13s%7.2f%2s   %2s %4d %4d  %4d  %4d  %4d  %4d  %4d     %1d %s\n";
constexpr const char* kLine2 =
    "            0.0   %7.2f%2s   %2d   %2d  %3d     %d     0     0     0   0.0   0.0\n";
constexpr const char* kSkippedLine2 =
    "            0.0   %7.2f%2s   %2d   %2d  %3d     %d     0     %d     0   0.0   0.0\n";

}  // namespace

std::string formatStepLines(const StepFields& fields, char variantCode) {
    const auto& guard = fields.guardPins;
    std::string lines;
    appendFormatted(lines, isKx740e(variantCode) ? kLine1Kx740e : kLine1FeFr, fields.step,
                    fields.partsN.c_str(), static_cast<double>(fields.actualV), fields.unit.c_str(),
                    fields.lc.c_str(), fields.hiP, fields.loP, guard[0], guard[1], guard[2],
                    guard[3], guard[4], fields.skip, fields.type.c_str());
    appendFormatted(lines, kLine2, static_cast<double>(fields.standV), fields.unit.c_str(),
                    fields.upperLimit, fields.lowerLimit, fields.dly, fields.mode);
    return lines;
}

std::string formatSkippedStepLines(int step) {
    std::string lines;
    appendFormatted(lines, kLine1Kx740e, step, "*", 0.0, "  ", "  ", 0, 0, 0, 0, 0, 0, 0, 1);
    appendFormatted(lines, kSkippedLine2, 0.0, "  ", 0, 0, 0, 0, 0);
    return lines;
}

}  // namespace zemra
