#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "decode/step_fields.h"
#include "text/fixed_text.h"
#include "text/text_writer.h"

namespace zemra {

// The columns of a step's two listing lines.
enum class ColumnId : std::uint8_t {
    Step,
    PartName,
    ActualV,
    Unit,
    Lc,
    HiP,
    LoP,
    GuardPin1,
    GuardPin2,
    GuardPin3,
    GuardPin4,
    GuardPin5,
    Skip,
    Type,
    MeasV,
    StandV,
    UpperLimit,
    LowerLimit,
    Dly,
    Mode,
    Avge,
    Rpt,
    Smp,
    Offset,
    DevPercent,
};

enum class ColumnKind : std::uint8_t { Integer, Text, Decimal };

// A number printed with a fixed count of decimals: `units` of the last decimal, and whether it
// prints a minus sign ("-0.00" keeps it). 4.7 and 4.70 are the same value.
struct ListedDecimal {
    std::int64_t units = 0;
    bool negative = false;

    friend bool operator==(const ListedDecimal&, const ListedDecimal&) = default;
};

// One column on its line: the fixed text before it, its printf conversion and what that means,
// and its heading in the listing header with the text before that. The unit is printed twice,
// after Actual-V and after Stand-V, and has no heading of its own.
struct ListingColumn {
    ColumnId id;
    int line;
    std::string_view lead;
    const char* format;
    ColumnKind kind;
    std::size_t width;
    Align align;
    int decimals;
    std::string_view heading;
    std::string_view headingLead;
    std::string_view jsonName;
    bool fromRecord;  // the component file sets it; a conversion prints the others as constants
};

// clang-format off
inline constexpr std::array<ListingColumn, 26> kListingColumns{{
    // id                  line lead       format  kind                 width align         dec heading    headingLead  json              fromRecord
    {ColumnId::Step,       1,   "",        "%4d",  ColumnKind::Integer, 4,    Align::Right, 0,  "Step",    "!",         "step",           true},
    {ColumnId::PartName,     1,   " ",       "%-13s",ColumnKind::Text,    13,   Align::Left,  0,  "Parts-N", "   ",       "partName",       true},
    {ColumnId::ActualV,    1,   "",        "%7.2f",ColumnKind::Decimal, 7,    Align::Right, 2,  "Actual-V","  ",        "actualValue",    true},
    {ColumnId::Unit,       1,   "",        "%2s",  ColumnKind::Text,    2,    Align::Right, 0,  "",        "",          "unit",           true},
    {ColumnId::Lc,         1,   "   ",     "%2s",  ColumnKind::Text,    2,    Align::Right, 0,  "LC",      "  ",        "lc",             true},
    {ColumnId::HiP,        1,   " ",       "%4d",  ColumnKind::Integer, 4,    Align::Right, 0,  "Hi-P",    "  ",        "hiPin",          true},
    {ColumnId::LoP,        1,   " ",       "%4d",  ColumnKind::Integer, 4,    Align::Right, 0,  "Lo-P",    "  ",        "loPin",          true},
    {ColumnId::GuardPin1,  1,   "  ",      "%4d",  ColumnKind::Integer, 4,    Align::Right, 0,  "G-P1",    "  ",        "guardPin1",      true},
    {ColumnId::GuardPin2,  1,   "  ",      "%4d",  ColumnKind::Integer, 4,    Align::Right, 0,  "G-P2",    "  ",        "guardPin2",      true},
    {ColumnId::GuardPin3,  1,   "  ",      "%4d",  ColumnKind::Integer, 4,    Align::Right, 0,  "G-P3",    "  ",        "guardPin3",      true},
    {ColumnId::GuardPin4,  1,   "  ",      "%4d",  ColumnKind::Integer, 4,    Align::Right, 0,  "G-P4",    "  ",        "guardPin4",      true},
    {ColumnId::GuardPin5,  1,   "  ",      "%4d",  ColumnKind::Integer, 4,    Align::Right, 0,  "G-P5",    "  ",        "guardPin5",      true},
    {ColumnId::Skip,       1,   "     ",   "%1d",  ColumnKind::Integer, 1,    Align::Right, 0,  "Skip",    "  ",        "skip",           true},
    {ColumnId::Type,       1,   " ",       "%s",   ColumnKind::Text,    0,    Align::Right, 0,  "Type",    " ",         "type",           true},
    {ColumnId::MeasV,      2,   "",        "%15.1f",ColumnKind::Decimal,15,   Align::Right, 1,  "Meas-V",  "!       ",  "measuredValue",  false},
    {ColumnId::StandV,     2,   "   ",     "%7.2f",ColumnKind::Decimal, 7,    Align::Right, 2,  "Stand-V", "   ",       "standardValue",  true},
    {ColumnId::Unit,       2,   "",        "%2s",  ColumnKind::Text,    2,    Align::Right, 0,  "",        "",          "unit",           true},
    {ColumnId::UpperLimit, 2,   "   ",     "%2d",  ColumnKind::Integer, 2,    Align::Right, 0,  "+Lm%",    "  ",        "upperLimit",     true},
    {ColumnId::LowerLimit, 2,   "   ",     "%2d",  ColumnKind::Integer, 2,    Align::Right, 0,  "-Lm%",    "  ",        "lowerLimit",     true},
    {ColumnId::Dly,        2,   "  ",      "%3d",  ColumnKind::Integer, 3,    Align::Right, 0,  "DLY",     "  ",        "delay",          true},
    {ColumnId::Mode,       2,   "     ",   "%d",   ColumnKind::Integer, 0,    Align::Right, 0,  "MODE",    "  ",        "mode",           true},
    {ColumnId::Avge,       2,   "",        "%6d",  ColumnKind::Integer, 6,    Align::Right, 0,  "AVGE",    "  ",        "average",        false},
    {ColumnId::Rpt,        2,   "",        "%6d",  ColumnKind::Integer, 6,    Align::Right, 0,  "RPT",     "  ",        "repeat",         false},
    {ColumnId::Smp,        2,   "",        "%6d",  ColumnKind::Integer, 6,    Align::Right, 0,  "SMP",     "   ",       "samples",        false},
    {ColumnId::Offset,     2,   "",        "%6.1f",ColumnKind::Decimal, 6,    Align::Right, 1,  "OFFSET",  "  ",        "offset",         false},
    {ColumnId::DevPercent, 2,   "",        "%6.1f",ColumnKind::Decimal, 6,    Align::Right, 1,  "DEV%",    "  ",        "deviation",      false},
}};
// clang-format on

// Where each column is in the table: for each id, its first entry, then its entry on line 1
// and on line 2.
inline constexpr std::size_t kColumnIdCount = static_cast<std::size_t>(ColumnId::DevPercent) + 1;
inline constexpr auto kColumnPlaces = [] {
    std::array<std::array<std::uint8_t, 3>, kColumnIdCount> places{};
    for (std::size_t line = 0; line < 3; ++line) {
        for (std::size_t entry = kListingColumns.size(); entry-- > 0;) {
            const ListingColumn& column = kListingColumns[entry];
            if (line == 0 || column.line == static_cast<int>(line)) {
                places[static_cast<std::size_t>(column.id)][line] =
                    static_cast<std::uint8_t>(entry);
            }
        }
    }
    return places;
}();

// The listing column of `id`, the first on `line` where that is given (the unit is on both).
constexpr const ListingColumn& listingColumn(ColumnId id, int line = 0) {
    return kListingColumns[kColumnPlaces[static_cast<std::size_t>(id)]
                                        [static_cast<std::size_t>(line)]];
}

// What a run of line 2's columns prints at zero, worked out from their formats: the columns that
// the tester sets and a conversion prints as zeros, Meas-V and AVGE to DEV%, print as one block.
struct ZeroText {
    std::array<char, 64> bytes{};
    std::size_t size = 0;

    constexpr void append(std::string_view text) {
        for (const char byte : text) {
            bytes[size++] = byte;
        }
    }
    constexpr std::string_view view() const { return {bytes.data(), size}; }
};

constexpr ZeroText zeroText(std::initializer_list<ColumnId> ids) {
    ZeroText zero;
    for (const ColumnId id : ids) {
        const ListingColumn& column = listingColumn(id, 2);
        zero.append(column.lead);
        const std::size_t digits =
            column.kind == ColumnKind::Decimal ? static_cast<std::size_t>(column.decimals) + 2 : 1;
        for (std::size_t blank = digits; blank < column.width; ++blank) {
            zero.append(" ");
        }
        zero.append(column.kind == ColumnKind::Decimal ? std::string_view("0.00").substr(0, digits)
                                                       : "0");
    }
    return zero;
}

inline constexpr ZeroText kZeroMeasV = zeroText({ColumnId::MeasV});
inline constexpr ZeroText kZeroTail = zeroText(
    {ColumnId::Avge, ColumnId::Rpt, ColumnId::Smp, ColumnId::Offset, ColumnId::DevPercent});

// The columns that have a heading, in the listing's order: the ones a step is compared by.
inline constexpr std::size_t kHeadedColumnCount = 24;
std::array<const ListingColumn*, kHeadedColumnCount> headedColumns();

using TypeText = FixedText<15>;

// A listed step, its columns as values. A "*" step lists "*", no unit, LC or Type, zeros and
// Skip 1; `hasType` tells whether line 1 shows a Type column.
struct ListedColumns {
    std::int64_t step = 0;
    PartsN partsN;
    ListedDecimal actualV;
    FixedText<2> unit;  // two blanks print for an empty unit
    LcCode lc;
    std::array<int, 7> pins{};  // Hi-P, Lo-P, G-P1 to G-P5
    int skip = 0;
    bool hasType = false;
    TypeText type;
    ListedDecimal measV;
    ListedDecimal standV;
    int upperLimit = 0;
    int lowerLimit = 0;
    int dly = 0;
    int mode = 0;
    int avge = 0;
    int rpt = 0;
    int smp = 0;
    ListedDecimal offset;
    ListedDecimal devPercent;

    friend bool operator==(const ListedColumns&, const ListedColumns&) = default;
};

// The value that "%.Nf" prints for `value` widened to double, with N `decimals` (1 or 2):
// correctly rounded from its exact binary value, ties to even, as the C library's printf rounds.
// Exact for every value whose units fit 63 bits; a record's values stay below 10^14.
ListedDecimal listedDecimal(float value, int decimals);

// A decoded part name as its listing column shows it: without the trailing blanks that the
// column's padding hides.
std::string_view listedPartName(std::string_view name);

// The columns of a decoded step, as the listing of `variant` shows them. Trailing blanks of the
// part name, which the column's padding hides, are left out.
ListedColumns listedColumns(const StepFields& fields, TesterVariant variant);

// The columns of a record listed as a "*" step.
ListedColumns skippedStepColumns(std::int64_t step);

// A column's value as the listing shows it, trimmed; Actual-V and Stand-V with their unit.
std::string columnText(const ListedColumns& columns, ColumnId id);

// Whether the two steps list the same value in the column (4.7 equals 4.70).
bool sameColumn(const ListedColumns& one, const ListedColumns& other, ColumnId id);

}  // namespace zemra
