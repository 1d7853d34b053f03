// A report comes out of core whole: what went in, which program converted it, what went wrong
// and the tuning of a converted board, whichever way it was built.
#include <gtest/gtest.h>

#include "behaviour_name.h"
#include "in_memory_conversion.h"
#include "report/report_recorder.h"
#include "zemra_version.h"

namespace zemra {
namespace {

struct ReportedInputCase {
    const char* behaviour;
    bool converted;  // finished by a recorder, else an unconverted board
    bool committed;
    bool keepsTuning;
};

class ReportedInputs : public ::testing::TestWithParam<ReportedInputCase> {};

BoardReport reportOf(const ReportedInputCase& reported, ReportedInput input) {
    const RunOutcome outcome{.committed = reported.committed};
    if (!reported.converted) {
        return unconvertedBoard({}, outcome, std::move(input));
    }
    ReportRecorder recorder({});
    const auto converted =
        testing::convertInMemory({RecordBuilder().name("R1").typeCode(1).pins(1, 2)}, recorder);
    RunOutcome convertedOutcome = outcome;
    convertedOutcome.summary = converted.summary;
    return recorder.finish(std::move(convertedOutcome), std::move(input));
}

TEST_P(ReportedInputs, FillTheReport) {
    const auto tuning = std::make_shared<const CarriedTuning>();
    const BoardReport report = reportOf(
        GetParam(),
        {.path = "boards/BOARD7.rev2.cmp", .messages = {"first", "second"}, .tuning = tuning});
    EXPECT_EQ(report.input, "boards/BOARD7.rev2.cmp");
    EXPECT_EQ(report.title, "BOARD7.rev2");
    EXPECT_EQ(report.version, kProgramVersion);
    EXPECT_EQ(report.messages, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(report.tuning, GetParam().keepsTuning ? tuning : nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    EveryWayToBuildOne, ReportedInputs,
    ::testing::Values(ReportedInputCase{"ConvertedAndCommitted", true, true, true},
                      ReportedInputCase{"ConvertedNotCommitted", true, false, false},
                      ReportedInputCase{"NotConverted", false, false, false}),
    testing::BehaviourName());

}  // namespace
}  // namespace zemra
