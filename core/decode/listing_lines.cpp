#include "decode/listing_lines.h"

#include "decode/listing_columns.h"

namespace zemra {
namespace {

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

// "%7.2f" of a decoded value, a float widened to double.
template <ColumnId Id, int Line = 0>
void writeDecimal(float value, TextWriter& listing) {
    constexpr const ListingColumn& column = listingColumn(Id, Line);
    static_assert(column.kind == ColumnKind::Decimal && column.decimals == 2);
    writeLead<Id, Line>(listing);
    listing.fixed2(static_cast<double>(value), column.width);
}

// The values of the columns, from the step being decoded or from a listed step: a conversion
// writes its steps straight from their decoded fields, without a copy of them.
int pinOf(const StepFields& fields, std::size_t pin) {
    return pin == 0 ? fields.hiP : pin == 1 ? fields.loP : fields.guardPins[pin - 2];
}
int pinOf(const ListedColumns& columns, std::size_t pin) {
    return columns.pins[pin];
}
int skipOf(const StepFields& fields) {
    return fields.skip ? 1 : 0;
}
int skipOf(const ListedColumns& columns) {
    return columns.skip;
}
std::string_view textOf(std::string_view text) {
    return text;
}

// Line 1 of a step; `type` is null where the line shows no Type.
template <class Step>
void writeLine1(const Step& step, const std::string_view* type, TextWriter& listing) {
    writeNumber<ColumnId::Step>(step.step, listing);
    writeText<ColumnId::PartName>(step.partsN.view(), listing);
    writeDecimal<ColumnId::ActualV>(step.actualV, listing);
    writeText<ColumnId::Unit, 1>(textOf(step.unit), listing);
    writeText<ColumnId::Lc>(step.lc.view(), listing);
    writeNumber<ColumnId::HiP>(pinOf(step, 0), listing);
    writeNumber<ColumnId::LoP>(pinOf(step, 1), listing);
    writeNumber<ColumnId::GuardPin1>(pinOf(step, 2), listing);
    writeNumber<ColumnId::GuardPin2>(pinOf(step, 3), listing);
    writeNumber<ColumnId::GuardPin3>(pinOf(step, 4), listing);
    writeNumber<ColumnId::GuardPin4>(pinOf(step, 5), listing);
    writeNumber<ColumnId::GuardPin5>(pinOf(step, 6), listing);
    writeNumber<ColumnId::Skip>(skipOf(step), listing);
    if (type != nullptr) {
        writeText<ColumnId::Type>(*type, listing);
    }
    listing.endLine();
}

// Line 2 from Stand-V to MODE.
template <class Step>
void writeLimits(const Step& step, TextWriter& listing) {
    writeDecimal<ColumnId::StandV>(step.standV, listing);
    writeText<ColumnId::Unit, 2>(textOf(step.unit), listing);
    writeNumber<ColumnId::UpperLimit>(step.upperLimit, listing);
    writeNumber<ColumnId::LowerLimit>(step.lowerLimit, listing);
    writeNumber<ColumnId::Dly>(step.dly, listing);
    writeNumber<ColumnId::Mode>(step.mode, listing);
}

void writeLine2(const ListedColumns& columns, TextWriter& listing) {
    if (columns.measV == ListedDecimal{}) {
        listing.literal(kZeroMeasV.view());
    } else {
        writeDecimal<ColumnId::MeasV>(columns.measV, listing);
    }
    writeLimits(columns, listing);
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
    const std::string_view type = columns.type.view();
    writeLine1(columns, columns.hasType ? &type : nullptr, listing);
    writeLine2(columns, listing);
}

void writeStepLines(const StepFields& fields, TesterVariant variant, TextWriter& listing) {
    writeLine1(fields, variant == TesterVariant::Kx740FeFr ? &fields.type : nullptr, listing);
    // A conversion prints the columns that the tester sets at zero.
    listing.literal(kZeroMeasV.view());
    writeLimits(fields, listing);
    listing.literal(kZeroTail.view());
    listing.endLine();
}

void writeSkippedStepLines(std::int64_t step, TextWriter& listing) {
    writeListedStep(skippedStepColumns(step), listing);
}

}  // namespace zemra
