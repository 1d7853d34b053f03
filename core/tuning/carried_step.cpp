#include "tuning/carried_step.h"

#include <cstddef>

namespace zemra {
namespace {

void copyColumn(const ListedColumns& from, ColumnId id, ListedColumns& to) {
    switch (id) {
        case ColumnId::ActualV:
            to.actualV = from.actualV;
            to.unit = from.unit;
            break;
        case ColumnId::StandV:
            to.standV = from.standV;
            to.unit = from.unit;
            break;
        case ColumnId::Lc:
            to.lc = from.lc;
            break;
        case ColumnId::HiP:
        case ColumnId::LoP:
        case ColumnId::GuardPin1:
        case ColumnId::GuardPin2:
        case ColumnId::GuardPin3:
        case ColumnId::GuardPin4:
        case ColumnId::GuardPin5: {
            const auto pin = static_cast<std::size_t>(id) - static_cast<std::size_t>(ColumnId::HiP);
            to.pins[pin] = from.pins[pin];
            break;
        }
        case ColumnId::Skip:
            to.skip = from.skip;
            break;
        case ColumnId::Type:
            to.type = from.type;
            break;
        case ColumnId::MeasV:
            to.measV = from.measV;
            break;
        case ColumnId::UpperLimit:
            to.upperLimit = from.upperLimit;
            break;
        case ColumnId::LowerLimit:
            to.lowerLimit = from.lowerLimit;
            break;
        case ColumnId::Dly:
            to.dly = from.dly;
            break;
        case ColumnId::Mode:
            to.mode = from.mode;
            break;
        case ColumnId::Avge:
            to.avge = from.avge;
            break;
        case ColumnId::Rpt:
            to.rpt = from.rpt;
            break;
        case ColumnId::Smp:
            to.smp = from.smp;
            break;
        case ColumnId::Offset:
            to.offset = from.offset;
            break;
        case ColumnId::DevPercent:
            to.devPercent = from.devPercent;
            break;
        case ColumnId::Step:
        case ColumnId::PartName:
        case ColumnId::Unit:
            break;
    }
}

}  // namespace

void applyCarried(const CarriedStep& carried, ListedColumns& columns) {
    for (std::size_t id = 0; id < kColumnIdCount; ++id) {
        const auto column = static_cast<ColumnId>(id);
        if ((carried.columns & columnBit(column)) != 0) {
            copyColumn(carried.tuned, column, columns);
        }
    }
}

}  // namespace zemra
