#include "traced_boards.h"

#include "in_memory_conversion.h"
#include "report/report_recorder.h"

namespace zemra::testing {

BoardReport reportOf(const std::vector<RecordBuilder>& records) {
    ReportRecorder recorder({});
    const auto converted = convertInMemory(records, recorder);
    return recorder.finish({.committed = true, .summary = converted.summary});
}

std::vector<RecordBuilder> icWithDiodePins(const std::string& device,
                                           const std::vector<int>& pins) {
    std::vector<RecordBuilder> records{RecordBuilder().name("R1").typeCode(1).pins(1, 2)};
    for (const int pin : pins) {
        records.push_back(RecordBuilder()
                              .name(device + "_" + std::to_string(pin))
                              .typeCode(10)
                              .pins(100 + pin % 1000, 1));
    }
    return records;
}

}  // namespace zemra::testing
