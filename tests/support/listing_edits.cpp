#include "listing_edits.h"

namespace zemra::testing {

void tuneColumn(ListedColumns& columns, ColumnId id) {
    switch (id) {
        case ColumnId::ActualV:
            ++columns.actualV.units;
            return;
        case ColumnId::StandV:
            columns.standV.units += 2;
            return;
        case ColumnId::Lc:
            columns.lc.assign(columns.lc.view() == "Z9" ? "Y8" : "Z9");
            return;
        case ColumnId::HiP:
        case ColumnId::LoP:
        case ColumnId::GuardPin1:
        case ColumnId::GuardPin2:
        case ColumnId::GuardPin3:
        case ColumnId::GuardPin4:
        case ColumnId::GuardPin5:
            ++columns.pins[static_cast<std::size_t>(id) - static_cast<std::size_t>(ColumnId::HiP)];
            return;
        case ColumnId::Skip:
            columns.skip = 1 - columns.skip;
            return;
        case ColumnId::Type:
            // A "*" step's line lists no Type; a tester's edit may add one.
            columns.hasType = true;
            columns.type.assign(columns.type.view() == "R" ? "C" : "R");
            return;
        case ColumnId::MeasV:
            columns.measV.units += 35;
            return;
        case ColumnId::UpperLimit:
            ++columns.upperLimit;
            return;
        case ColumnId::LowerLimit:
            ++columns.lowerLimit;
            return;
        case ColumnId::Dly:
            columns.dly += 20;
            return;
        case ColumnId::Mode:
            ++columns.mode;
            return;
        case ColumnId::Avge:
            columns.avge = 10;
            return;
        case ColumnId::Rpt:
            columns.rpt = 3;
            return;
        case ColumnId::Smp:
            columns.smp = 64;
            return;
        case ColumnId::Offset:
            columns.offset = {.units = 5, .negative = true};
            return;
        case ColumnId::DevPercent:
            columns.devPercent.units += 125;
            return;
        case ColumnId::Step:
        case ColumnId::PartName:
        case ColumnId::Unit:
            return;
    }
}

}  // namespace zemra::testing
