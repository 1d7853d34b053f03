#include "decode/listing_lines.h"

#include "decode/listing_columns.h"

namespace zemra {
namespace {

// What a run of columns prints at zero, worked out from their formats: the constant columns of a
// converted step print as one block.
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

constexpr ZeroText kZeroMeasV = zeroText({ColumnId::MeasV});
constexpr ZeroText kZeroTail = zeroText(
    {ColumnId::Avge, ColumnId::Rpt, ColumnId::Smp, ColumnId::Offset, ColumnId::DevPercent});

template <ColumnId Id, int Line>
void writeLead(TextWriter& listing) {
    constexpr const ListingColumn& column = listingColumn(Id, Line);
    if constexpr (!column.lead.empty()) {
        listing.literal(column.lead);
    }
}

template <ColumnId Id, int Line = 0>
void writeNumber(std::int64_t value, TextWriter& listing) {
    constexpr const ListingColumn& column = listingColumn(Id, Line);
    static_assert(column.kind == ColumnKind::Integer);
    writeLead<Id, Line>(listing);
    listing.number(value, column.width);
}

template <ColumnId Id, int Line = 0>
void writeText(std::string_view text, TextWriter& listing) {
    constexpr const ListingColumn& column = listingColumn(Id, Line);
    static_assert(column.kind == ColumnKind::Text);
    writeLead<Id, Line>(listing);
    listing.text(text, column.width, column.align);
}

template <ColumnId Id, int Line = 0>
void writeDecimal(const ListedDecimal& value, TextWriter& listing) {
    constexpr const ListingColumn& column = listingColumn(Id, Line);
    static_assert(column.kind == ColumnKind::Decimal);
    writeLead<Id, Line>(listing);
    listing.decimal(static_cast<std::uint64_t>(value.units), value.negative, column.decimals,
                    column.width);
}

// An empty unit prints as two blanks, as "%2s" pads it.
void writeLine1(const ListedColumns& columns, TextWriter& listing) {
    writeNumber<ColumnId::Step>(columns.step, listing);
    writeText<ColumnId::PartName>(columns.partsN.view(), listing);
    writeDecimal<ColumnId::ActualV>(columns.actualV, listing);
    writeText<ColumnId::Unit, 1>(columns.unit.view(), listing);
    writeText<ColumnId::Lc>(columns.lc.view(), listing);
    writeNumber<ColumnId::HiP>(columns.pins[0], listing);
    writeNumber<ColumnId::LoP>(columns.pins[1], listing);
    writeNumber<ColumnId::GuardPin1>(columns.pins[2], listing);
    writeNumber<ColumnId::GuardPin2>(columns.pins[3], listing);
    writeNumber<ColumnId::GuardPin3>(columns.pins[4], listing);
    writeNumber<ColumnId::GuardPin4>(columns.pins[5], listing);
    writeNumber<ColumnId::GuardPin5>(columns.pins[6], listing);
    writeNumber<ColumnId::Skip>(columns.skip, listing);
    if (columns.hasType) {
        writeText<ColumnId::Type>(columns.type.view(), listing);
    }
    listing.endLine();
}

void writeLine2(const ListedColumns& columns, TextWriter& listing) {
    if (columns.measV == ListedDecimal{}) {
        listing.literal(kZeroMeasV.view());
    } else {
        writeDecimal<ColumnId::MeasV>(columns.measV, listing);
    }
    writeDecimal<ColumnId::StandV>(columns.standV, listing);
    writeText<ColumnId::Unit, 2>(columns.unit.view(), listing);
    writeNumber<ColumnId::UpperLimit>(columns.upperLimit, listing);
    writeNumber<ColumnId::LowerLimit>(columns.lowerLimit, listing);
    writeNumber<ColumnId::Dly>(columns.dly, listing);
    writeNumber<ColumnId::Mode>(columns.mode, listing);
    if (columns.avge == 0 && columns.rpt == 0 && columns.smp == 0 &&
        columns.offset == ListedDecimal{} && columns.devPercent == ListedDecimal{}) {
        listing.literal(kZeroTail.view());
    } else {
        writeNumber<ColumnId::Avge>(columns.avge, listing);
        writeNumber<ColumnId::Rpt>(columns.rpt, listing);
        writeNumber<ColumnId::Smp>(columns.smp, listing);
        writeDecimal<ColumnId::Offset>(columns.offset, listing);
        writeDecimal<ColumnId::DevPercent>(columns.devPercent, listing);
    }
    listing.endLine();
}

}  // namespace

void writeListedStep(const ListedColumns& columns, TextWriter& listing) {
    writeLine1(columns, listing);
    writeLine2(columns, listing);
}

void writeStepLines(const StepFields& fields, TesterVariant variant, TextWriter& listing) {
    writeListedStep(listedColumns(fields, variant), listing);
}

void writeSkippedStepLines(std::int64_t step, TextWriter& listing) {
    writeListedStep(skippedStepColumns(step), listing);
}

}  // namespace zemra
