#include "decode/listing_columns.h"

#include <cmath>
#include <limits>
#include <optional>

namespace zemra {
namespace {

constexpr std::size_t kPartsNWidth = listingColumn(ColumnId::PartName).width;

std::string decimalText(const ListedDecimal& value, int decimals) {
    std::string digits = std::to_string(value.units);
    const auto places = static_cast<std::size_t>(decimals);
    if (digits.size() <= places) {
        digits.insert(0, places + 1 - digits.size(), '0');
    }
    digits.insert(digits.size() - places, ".");
    return value.negative ? "-" + digits : digits;
}

std::string valueText(const ListedDecimal& value, std::string_view unit) {
    std::string text = decimalText(value, 2) + std::string(unit);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

}  // namespace

// Trailing blanks of a name that its column pads anyway print nothing of their own.
std::string_view listedPartName(std::string_view name) {
    while (!name.empty() && name.size() <= kPartsNWidth && name.back() == ' ') {
        name.remove_suffix(1);
    }
    return name;
}

std::array<const ListingColumn*, kHeadedColumnCount> headedColumns() {
    std::array<const ListingColumn*, kHeadedColumnCount> columns{};
    std::size_t count = 0;
    for (const ListingColumn& column : kListingColumns) {
        if (!column.heading.empty()) {
            columns[count++] = &column;
        }
    }
    return columns;
}

ListedDecimal listedDecimal(float value, int decimals) {
    const double scale = decimals == 1 ? 10.0 : 100.0;
    const double magnitude = std::abs(static_cast<double>(value));
    ListedDecimal listed{.negative = std::signbit(value)};
    // A float has 24 significant bits, so its multiple by 10 or 100 is exact in a double, and
    // rounding that to a whole number rounds the exact value.
    const double exact = magnitude * scale;
    if (!(exact < 0x1p62)) {
        listed.units = std::numeric_limits<std::int64_t>::max();
        return listed;
    }
    const double whole = std::floor(exact);
    auto units = static_cast<std::int64_t>(whole);
    const double fraction = exact - whole;
    if (fraction > 0.5 || (fraction == 0.5 && units % 2 == 1)) {
        ++units;
    }
    listed.units = units;
    return listed;
}

ListedColumns listedColumns(const StepFields& fields, TesterVariant variant) {
    ListedColumns columns;
    columns.step = fields.step;
    columns.partsN.assign(listedPartName(fields.partsN.view()));
    columns.actualV = listedDecimal(fields.actualV, 2);
    // A unit of blanks prints as none does.
    if (fields.unit.find_first_not_of(' ') != std::string_view::npos) {
        columns.unit.assign(fields.unit);
    }
    columns.lc = fields.lc;
    columns.pins = {fields.hiP,          fields.loP,          fields.guardPins[0],
                    fields.guardPins[1], fields.guardPins[2], fields.guardPins[3],
                    fields.guardPins[4]};
    columns.skip = fields.skip ? 1 : 0;
    columns.hasType = variant == TesterVariant::Kx740FeFr;
    if (columns.hasType) {
        columns.type.assign(fields.type);
    }
    columns.standV = listedDecimal(fields.standV, 2);
    columns.upperLimit = fields.upperLimit;
    columns.lowerLimit = fields.lowerLimit;
    columns.dly = fields.dly;
    columns.mode = fields.mode;
    return columns;
}

ListedColumns skippedStepColumns(std::int64_t step) {
    ListedColumns columns;
    columns.step = step;
    columns.partsN.assign("*");
    columns.skip = 1;
    return columns;
}

namespace {

// The value of a column that shows a whole number; none for the others.
std::optional<std::int64_t> columnNumber(const ListedColumns& columns, ColumnId id) {
    switch (id) {
        case ColumnId::Step:
            return columns.step;
        case ColumnId::HiP:
        case ColumnId::LoP:
        case ColumnId::GuardPin1:
        case ColumnId::GuardPin2:
        case ColumnId::GuardPin3:
        case ColumnId::GuardPin4:
        case ColumnId::GuardPin5:
            return columns
                .pins[static_cast<std::size_t>(id) - static_cast<std::size_t>(ColumnId::HiP)];
        case ColumnId::Skip:
            return columns.skip;
        case ColumnId::UpperLimit:
            return columns.upperLimit;
        case ColumnId::LowerLimit:
            return columns.lowerLimit;
        case ColumnId::Dly:
            return columns.dly;
        case ColumnId::Mode:
            return columns.mode;
        case ColumnId::Avge:
            return columns.avge;
        case ColumnId::Rpt:
            return columns.rpt;
        case ColumnId::Smp:
            return columns.smp;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::string columnText(const ListedColumns& columns, ColumnId id) {
    if (const std::optional<std::int64_t> number = columnNumber(columns, id)) {
        return std::to_string(*number);
    }
    switch (id) {
        case ColumnId::PartName:
            return std::string(columns.partsN.view());
        case ColumnId::ActualV:
            return valueText(columns.actualV, columns.unit.view());
        case ColumnId::Unit:
            return std::string(columns.unit.view());
        case ColumnId::Lc:
            return std::string(columns.lc.view());
        case ColumnId::Type:
            return std::string(columns.type.view());
        case ColumnId::MeasV:
            return decimalText(columns.measV, 1);
        case ColumnId::StandV:
            return valueText(columns.standV, columns.unit.view());
        case ColumnId::Offset:
            return decimalText(columns.offset, 1);
        case ColumnId::DevPercent:
            return decimalText(columns.devPercent, 1);
        default:
            return {};
    }
}

// Compared without making the columns' texts, but where two decimals differ: a carry compares
// every column of every step.
bool sameColumn(const ListedColumns& one, const ListedColumns& other, ColumnId id) {
    const auto sameDecimal = [&](const ListedDecimal& a, const ListedDecimal& b) {
        return a == b || columnText(one, id) == columnText(other, id);
    };
    switch (id) {
        case ColumnId::ActualV:
            return one.actualV == other.actualV && one.unit == other.unit;
        case ColumnId::StandV:
            return one.standV == other.standV && one.unit == other.unit;
        case ColumnId::Type:
            return one.hasType == other.hasType && one.type == other.type;
        case ColumnId::PartName:
            return one.partsN.view() == other.partsN.view();
        case ColumnId::Unit:
            return one.unit.view() == other.unit.view();
        case ColumnId::Lc:
            return one.lc.view() == other.lc.view();
        case ColumnId::MeasV:
            return sameDecimal(one.measV, other.measV);
        case ColumnId::Offset:
            return sameDecimal(one.offset, other.offset);
        case ColumnId::DevPercent:
            return sameDecimal(one.devPercent, other.devPercent);
        default:
            return columnNumber(one, id) == columnNumber(other, id);
    }
}

}  // namespace zemra
