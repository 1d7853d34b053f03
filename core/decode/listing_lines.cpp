#include "decode/listing_lines.h"

namespace zemra {
namespace {

// "%4d %-13s%7.2f%2s   %2s %4d %4d  %4d  %4d  %4d  %4d  %4d     %1d", line 1 up to its Skip.
void writeLine1(std::int64_t step, std::string_view partsN, double actualV, std::string_view unit,
                std::string_view lc, const std::array<int, 7>& pins, int skip,
                TextWriter& listing) {
    listing.number(step, 4);
    listing.literal(" ");
    listing.text(partsN, 13, Align::Left);
    listing.fixed2(actualV, 7);
    listing.text(unit, 2);
    listing.literal("   ");
    listing.text(lc, 2);
    listing.literal(" ");
    listing.number(pins[0], 4);
    listing.literal(" ");
    listing.number(pins[1], 4);
    for (std::size_t guard = 2; guard < pins.size(); ++guard) {
        listing.literal("  ");
        listing.number(pins[guard], 4);
    }
    listing.literal("     ");
    listing.number(skip, 1);
}

// "            0.0   %7.2f%2s   %2d   %2d  %3d     %d     0     0     0   0.0   0.0\n". A skipped
// step's format prints a 0 through its last %d, so both come out alike.
void writeLine2(double standV, std::string_view unit, int upperLimit, int lowerLimit, int dly,
                int mode, TextWriter& listing) {
    listing.literal("            0.0   ");
    listing.fixed2(standV, 7);
    listing.text(unit, 2);
    listing.literal("   ");
    listing.number(upperLimit, 2);
    listing.literal("   ");
    listing.number(lowerLimit, 2);
    listing.literal("  ");
    listing.number(dly, 3);
    listing.literal("     ");
    listing.number(mode);
    listing.literal("     0     0     0   0.0   0.0");
    listing.endLine();
}

}  // namespace

void writeStepLines(const StepFields& fields, TesterVariant variant, TextWriter& listing) {
    const auto& guard = fields.guardPins;
    writeLine1(fields.step, fields.partsN.view(), static_cast<double>(fields.actualV), fields.unit,
               fields.lc.view(),
               {fields.hiP, fields.loP, guard[0], guard[1], guard[2], guard[3], guard[4]},
               fields.skip ? 1 : 0, listing);
    if (variant == TesterVariant::Kx740FeFr) {
        listing.literal(" ");
        listing.text(fields.type);
    }
    listing.endLine();
    writeLine2(static_cast<double>(fields.standV), fields.unit, fields.upperLimit,
               fields.lowerLimit, fields.dly, fields.mode, listing);
}

void writeSkippedStepLines(std::int64_t step, TextWriter& listing) {
    writeLine1(step, "*", 0.0, "  ", "  ", {}, 1, listing);
    listing.endLine();
    writeLine2(0.0, "  ", 0, 0, 0, 0, listing);
}

}  // namespace zemra
