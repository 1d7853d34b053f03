// The tuning section of a board's page: a row per thing the carry did, as many as a page holds,
// each new step linked to its row of the steps table only where the table holds it, and no name
// that can break the page.
#include <gtest/gtest.h>

#include "behaviour_name.h"
#include "report_page.h"

namespace zemra {
namespace {

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// A board whose steps table holds step 1 at offset 64, tuned with `events` carried columns of
// steps 1, 2, 3 and so on.
BoardReport tunedBoard(std::size_t events, std::string partName = "R1") {
    BoardReport board;
    board.input = "NEW.cmp";
    StepRow row;
    row.offset = 64;
    row.kind = StepKind::Decoded;
    row.fields.step = 1;
    board.stepRows.push_back(row);
    auto tuning = std::make_shared<CarriedTuning>();
    tuning->folder = "tester/OLD";
    tuning->base = "OLD.cmp";
    for (std::size_t index = 0; index < events; ++index) {
        const auto step = static_cast<std::int64_t>(index + 1);
        tuning->plan.events.push_back({.kind = TuningKind::Carried,
                                       .partName = partName,
                                       .oldStep = step,
                                       .newStep = step,
                                       .tunedStep = step,
                                       .base = "0",
                                       .tuned = "10",
                                       .revised = "0"});
    }
    board.tuning = std::move(tuning);
    return board;
}

struct RowsCase {
    std::string behaviour;
    std::size_t events;
    std::size_t rows;
    std::string shown;  // a text of the section
};

class TuningSection : public ::testing::TestWithParam<RowsCase> {};

TEST_P(TuningSection, HoldsAsManyRowsAsAPageHolds) {
    const RowsCase& rows = GetParam();
    const std::string page = cli::reportPage({tunedBoard(rows.events)});
    EXPECT_EQ(occurrences(page, "<tr class=\"carried\">"), rows.rows);
    EXPECT_NE(page.find(rows.shown), std::string::npos) << rows.shown;
    EXPECT_EQ(occurrences(page, "<th scope=\"col\">"), rows.rows > 0 ? 9U : 0U);
}

INSTANTIATE_TEST_SUITE_P(
    EventCounts, TuningSection,
    ::testing::Values(RowsCase{"None", 0, 0,
                               "<p>The tester changed nothing that the new revision could take."},
                      RowsCase{"Some", 3, 3, "</tbody></table></div>"},
                      RowsCase{"MoreThanAPageHolds", 1001, 1000,
                               "The table holds the first 1000 of 1001; --report lists them all."}),
    testing::BehaviourName());

TEST(TuningSection, LinksOnlyTheStepsThatTheStepsTableHolds) {
    const std::string page = cli::reportPage({tunedBoard(2)});
    EXPECT_NE(page.find("<td class=\"number\"><a href=\"#b1-r64\">1</a></td>"), std::string::npos);
    EXPECT_NE(page.find("<td>R1</td><td class=\"number\">2</td>"), std::string::npos);
    EXPECT_EQ(occurrences(page, "<a href=\"#b1-r"), 1U);
}

TEST(TuningSection, NoNameBreaksThePage) {
    const std::string page = cli::reportPage({tunedBoard(1, "<b>&\xff")});
    EXPECT_NE(page.find("<td>&lt;b&gt;&amp;\\u00FF</td>"), std::string::npos);
    EXPECT_EQ(page.find("<b>"), std::string::npos);
}

TEST(TuningSection, BoardWithoutTuningHasNone) {
    BoardReport board = tunedBoard(1);
    board.tuning.reset();
    EXPECT_EQ(cli::reportPage({board}).find("-tuning"), std::string::npos);
}

}  // namespace
}  // namespace zemra
