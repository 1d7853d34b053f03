// The tuning section of a board's page holds as many rows as a page holds, and no name breaks it.
#include <gtest/gtest.h>

#include "behaviour_name.h"
#include "report_page.h"

namespace zemra {
namespace {

// A board tuned with `events` carried columns of steps named `partName`.
BoardReport tunedBoard(std::size_t events, const std::string& partName) {
    BoardReport board;
    auto tuning = std::make_shared<CarriedTuning>();
    TuningEvent event;
    event.partName = partName;
    tuning->plan.events.resize(events, event);
    board.tuning = std::move(tuning);
    return board;
}

struct SectionCase {
    std::string behaviour;
    std::size_t events;
    std::string partName;
    std::string shown;
    std::size_t rows;
};

class TuningSection : public ::testing::TestWithParam<SectionCase> {};

TEST_P(TuningSection, ShowsItsRows) {
    const SectionCase& section = GetParam();
    const std::string page = cli::reportPage({tunedBoard(section.events, section.partName)});
    EXPECT_NE(page.find(section.shown), std::string::npos) << section.shown;
    std::size_t rows = 0;
    for (std::size_t at = page.find("<tr class=\"carried\">"); at != std::string::npos;
         at = page.find("<tr class=\"carried\">", at + 1)) {
        ++rows;
    }
    EXPECT_EQ(rows, section.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Events, TuningSection,
    ::testing::Values(
        SectionCase{"None", 0, "R1", "<p>The tester changed nothing that the new revision", 0},
        SectionCase{"MoreThanAPageHolds", 1001, "R1",
                    "The table holds the first 1000 of 1001; --report lists them all.", 1000},
        SectionCase{"NameOfMarkupAndOtherBytes", 1, "<b>&\xff", "<td>&lt;b&gt;&amp;\\u00FF</td>",
                    1}),
    testing::BehaviourName());

}  // namespace
}  // namespace zemra
