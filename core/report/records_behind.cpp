#include "report/records_behind.h"

#include <algorithm>

namespace zemra {

void RecordsBehind::hold(const RecordTrace& trace) {
    Held& held = held_[(oldest_ + count_) % kRecords];
    held.ordinal = trace.ordinal;
    std::ranges::copy(trace.bytes, held.bytes.begin());
    held.record = trace.record;
    held.kind = trace.kind;
    held.fields = trace.fields;
    held.pinStep = trace.pinStep;
    ++count_;
}

RecordTrace RecordsBehind::takeOldest() {
    const Held& held = held_[oldest_];
    oldest_ = (oldest_ + 1) % kRecords;
    --count_;
    return {held.ordinal, held.bytes, held.record, held.kind, held.fields, held.pinStep};
}

}  // namespace zemra
