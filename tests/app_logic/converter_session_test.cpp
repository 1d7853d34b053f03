// The operator logic that both dialogs drive: options, the chosen input, Read file and Convert.
#include "converter_session.h"

#include <gtest/gtest.h>

#include <sstream>

#include "behaviour_name.h"
#include "board_generator.h"
#include "golden_boards.h"
#include "in_memory_conversion.h"
#include "run/messages.h"
#include "scripted_front_end.h"
#include "temp_folder.h"

namespace zemra::app {
namespace {

namespace fs = std::filesystem;
using zemra::testing::entriesOf;
using zemra::testing::writeFile;

const std::string kConverted(operatorText(MessageKind::Converted));
const std::string kFileMissing(operatorText(MessageKind::FileMissing));

class ConverterSessionTest : public ::testing::Test {
  protected:
    fs::path board(const std::string& name) {
        const auto bytes = generateBoard(7, 120);
        writeFile(folder / name,
                  std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        return folder / name;
    }
    void pick(std::optional<fs::path> answer) {
        frontEnd.fileAnswers.push_back(std::move(answer));
        session.readFile();
    }

    zemra::testing::TempFolder folder;
    ScriptedFrontEnd frontEnd;
    ConverterSession session{frontEnd, systemFileSystem()};
};

struct ClickCase {
    const char* behaviour;
    std::string clicks;  // "E" on KX740E, "F" on KX740 FE/FR, "R" on reverse pins
    DecodeOptions options;
};

class OptionClicks : public ::testing::TestWithParam<ClickCase> {};

// The options as clicked, and only they, reach the conversion: its four files are those of the
// engine under them, and the variant boxes act as a pair.
TEST_P(OptionClicks, ConvertUnderTheOptionsClicked) {
    const ClickCase& c = GetParam();
    const auto generated = generateBoard(7, 120);
    const std::string bytes(reinterpret_cast<const char*>(generated.data()), generated.size());
    const LocalDateTime at{.year = 2024, .month = 5, .day = 6, .hour = 7, .minute = 8};
    zemra::testing::TempFolder folder;
    writeFile(folder / "board.cmp", bytes);
    ScriptedFrontEnd frontEnd;
    ConverterSession session(frontEnd, systemFileSystem(), [&at] { return at; });
    for (const char click : c.clicks) {
        if (click == 'R') {
            session.toggleReversePins();
        } else {
            click == 'E' ? session.selectKx740e() : session.selectKx740FeFr();
        }
    }
    EXPECT_EQ(session.kx740eChecked(), c.options.variant == TesterVariant::Kx740e);
    EXPECT_NE(session.kx740eChecked(), session.kx740FeFrChecked());
    session.chooseInput(folder / "board.cmp");
    session.convert();
    ASSERT_EQ(frontEnd.messages, (std::vector<std::string>{kConverted}));
    const auto expected = zemra::testing::convertInMemory(bytes, c.options, "board", at);
    // The board is one on which the options tell: other options give another listing.
    if (c.options.variant != TesterVariant::Kx740FeFr || c.options.reversePins) {
        ASSERT_NE(expected.listing,
                  zemra::testing::convertInMemory(bytes, {}, "board", at).listing);
    }
    const fs::path outputs = folder / "board";
    EXPECT_EQ(zemra::testing::readFile(outputs / "board.dat"), expected.listing);
    EXPECT_EQ(zemra::testing::readFile(outputs / "board.icn"), expected.icn);
    EXPECT_EQ(zemra::testing::readFile(outputs / "board.icp"), expected.icp);
    EXPECT_EQ(zemra::testing::readFile(outputs / "board.scp"), expected.scp);
}

INSTANTIATE_TEST_SUITE_P(
    Options, OptionClicks,
    ::testing::Values(ClickCase{"NoClickIsFeFrPinsAsRead", "", {TesterVariant::Kx740FeFr, false}},
                      ClickCase{"Kx740eTwice", "EE", {TesterVariant::Kx740e, false}},
                      ClickCase{"FeFrWhenChecked", "F", {TesterVariant::Kx740FeFr, false}},
                      ClickCase{"Kx740eTwiceThenFeFr", "EEF", {TesterVariant::Kx740FeFr, false}},
                      ClickCase{"BackAndForth", "EFEFE", {TesterVariant::Kx740e, false}},
                      ClickCase{"ReversePins", "R", {TesterVariant::Kx740FeFr, true}},
                      ClickCase{"ReversePinsTwiceIsOff", "RER", {TesterVariant::Kx740e, false}},
                      ClickCase{
                          "ReversePinsThriceOnKx740e", "RRER", {TesterVariant::Kx740e, true}}),
    zemra::testing::BehaviourName());

TEST_F(ConverterSessionTest, ConvertWithoutAChoiceAsksForOne) {
    session.convert();
    pick(std::nullopt);
    session.convert();
    EXPECT_EQ(frontEnd.messages, std::vector<std::string>(2, std::string(kChooseInputFirst)));
    EXPECT_EQ(frontEnd.busySpells, 0);
    EXPECT_TRUE(entriesOf(folder.path()).empty());
}

TEST_F(ConverterSessionTest, ConvertWritesTheFourFilesWithTheWaitCursorUpMeanwhile) {
    pick(board("rev.2.cmp"));
    EXPECT_EQ(session.title(), "rev.2");
    session.convert();
    EXPECT_EQ(frontEnd.messages, (std::vector<std::string>{kConverted}));
    EXPECT_EQ(frontEnd.busySpells, 1);
    EXPECT_FALSE(frontEnd.busy);
    EXPECT_FALSE(frontEnd.busyDuringMessage);
    EXPECT_EQ(entriesOf(folder / "rev.2"),
              (std::vector<std::string>{"rev.2.dat", "rev.2.icn", "rev.2.icp", "rev.2.scp"}));
}

TEST_F(ConverterSessionTest, CancelledChoiceKeepsTheEarlierOne) {
    pick(board("first.cmp"));
    pick(std::nullopt);
    session.convert();
    EXPECT_EQ(frontEnd.messages, (std::vector<std::string>{kConverted}));
    EXPECT_TRUE(fs::is_regular_file(folder / "first" / "first.dat"));
}

TEST_F(ConverterSessionTest, UnusableChoiceIsReportedAndTriedAgainByConvert) {
    fs::create_directory(folder / "folder.cmp");
    pick(board("good.cmp"));
    pick(folder / "folder.cmp");
    session.chooseInput(folder / "late.cmp");
    session.convert();
    EXPECT_EQ(frontEnd.messages, (std::vector<std::string>(3, kFileMissing)));
    board("late.cmp");
    session.convert();
    EXPECT_EQ(frontEnd.messages.back(), kConverted);
    EXPECT_FALSE(fs::exists(folder / "good"));
}

struct ClockCase {
    const char* behaviour;
    int year;
    bool converts;

    friend void PrintTo(const ClockCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

class ClockYears : public ::testing::TestWithParam<ClockCase> {};

// A listing shows 2000 to 2099 only; any other year of the clock would be stamped wrongly.
TEST_P(ClockYears, DecideWhetherConvertRuns) {
    const zemra::testing::TempFolder folder;
    ScriptedFrontEnd frontEnd;
    const LocalDateTime now{.year = GetParam().year, .month = 3, .day = 4};
    ConverterSession session(frontEnd, systemFileSystem(), [&now] { return now; });
    writeFile(folder / "B.cmp", zemra::testing::backwardDiodeBoard());
    session.chooseInput(folder / "B.cmp");
    session.convert();
    if (GetParam().converts) {
        EXPECT_EQ(frontEnd.messages, (std::vector<std::string>{kConverted}));
        EXPECT_TRUE(fs::exists(folder / "B" / "B.dat"));
    } else {
        EXPECT_EQ(frontEnd.messages, (std::vector<std::string>{std::string(kClockOutOfRange)}));
        EXPECT_EQ(entriesOf(folder.path()), (std::vector<std::string>{"B.cmp"}));
        EXPECT_TRUE(session.hasChoice());
    }
}

INSTANTIATE_TEST_SUITE_P(Clock, ClockYears,
                         ::testing::Values(ClockCase{"Year1999IsRefused", 1999, false},
                                           ClockCase{"Year2000Converts", 2000, true},
                                           ClockCase{"Year2099Converts", 2099, true},
                                           ClockCase{"Year2101IsRefused", 2101, false}),
                         zemra::testing::BehaviourName());

TEST_F(ConverterSessionTest, ConvertAfterARefusedClockConvertsTheSameChoice) {
    int year = 2101;
    ConverterSession clocked(frontEnd, systemFileSystem(),
                             [&year] { return LocalDateTime{.year = year}; });
    clocked.chooseInput(board("late.cmp"));
    clocked.convert();
    year = 2026;
    clocked.convert();
    EXPECT_EQ(frontEnd.messages,
              (std::vector<std::string>{std::string(kClockOutOfRange), kConverted}));
    EXPECT_TRUE(fs::exists(folder / "late" / "late.dat"));
}

// The line of the listing that shows the backward board's first diode step (U3 pin 1), without
// its CR LF.
std::string diodeLineOf(const fs::path& listing) {
    std::istringstream lines(zemra::testing::readFile(listing));
    std::string line;
    for (int index = 0; index <= 7; ++index) {
        std::getline(lines, line);
    }
    return line.substr(0, line.find('\r'));
}

TEST_F(ConverterSessionTest, SecondConvertRepeatsTheRunWithTheSameOptions) {
    session.selectKx740e();
    session.toggleReversePins();
    writeFile(folder / "twice.cmp", zemra::testing::backwardDiodeBoard());
    pick(folder / "twice.cmp");
    session.convert();
    fs::remove_all(folder / "twice");
    session.convert();
    EXPECT_EQ(frontEnd.messages, (std::vector<std::string>{kConverted, kConverted}));
    EXPECT_EQ(diodeLineOf(folder / "twice" / "twice.dat"),
              zemra::testing::kBackwardDiodeLineKx740eReversed);
    EXPECT_EQ(zemra::testing::readFile(folder / "twice" / "twice.icn"),
              zemra::testing::kBackwardIcnKx740eReversed);
    EXPECT_TRUE(session.kx740eChecked());
    EXPECT_TRUE(session.reversePins());
}

// The options as the conversion sees them: the variant decides the Type column and the IC names,
// reverse-pins the pins of voltage steps and so which ICs the diode steps find.
struct OptionsCase {
    const char* behaviour;
    bool kx740e;
    bool reversePins;
    std::string diodeLine;
    std::string icn;

    friend void PrintTo(const OptionsCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

class ConvertWithOptions : public ConverterSessionTest,
                           public ::testing::WithParamInterface<OptionsCase> {};

TEST_P(ConvertWithOptions, ChangesTheListingAndTheIcsFound) {
    if (GetParam().kx740e) {
        session.selectKx740e();
    }
    if (GetParam().reversePins) {
        session.toggleReversePins();
    }
    writeFile(folder / "backward.cmp", zemra::testing::backwardDiodeBoard());
    pick(folder / "backward.cmp");
    session.convert();
    EXPECT_EQ(diodeLineOf(folder / "backward" / "backward.dat"), GetParam().diodeLine);
    EXPECT_EQ(zemra::testing::readFile(folder / "backward" / "backward.icn"), GetParam().icn);
}

INSTANTIATE_TEST_SUITE_P(
    Options, ConvertWithOptions,
    ::testing::Values(
        OptionsCase{
            "Kx740FeFr", false, false,
            "   2 U3_1            0.70V    B1  100   61     0     0     0     0     0     0 D",
            " 1   IC5  C2    9   0      0      1   0  30  30   0   0   0   0\r\n"},
        OptionsCase{
            "Kx740e", true, false,
            "   2 U3_1            0.70V    B1  100   61     0     0     0     0     0     0",
            " 1    U5  C2    9   0      0      1   0  30  30   0   0   0   0\r\n"},
        OptionsCase{
            "Kx740FeFrReversePins", false, true,
            "   2 U3_1            0.70V    B1   61  100     0     0     0     0     0     0 D",
            " 1    U3  B1    8   0      0      1   0  30  30   0   0   0   0\r\n"
            " 2   IC5  C2    9   0      0      9   0  30  30   0   0   0   0\r\n"},
        OptionsCase{"Kx740eReversePins", true, true,
                    zemra::testing::kBackwardDiodeLineKx740eReversed,
                    zemra::testing::kBackwardIcnKx740eReversed}),
    zemra::testing::BehaviourName());

TEST_F(ConverterSessionTest, FileThatVanishesAfterItsChoiceIsConvertedOnceFromItsOpenHandle) {
    pick(board("gone.cmp"));
    std::error_code error;
    if (!fs::remove(folder / "gone.cmp", error)) {
        GTEST_SKIP() << "this system does not remove a file that is open";
    }
    session.convert();
    const std::string listing = zemra::testing::readFile(folder / "gone" / "gone.dat");
    session.convert();
    EXPECT_EQ(frontEnd.messages, (std::vector<std::string>{kConverted, kFileMissing}));
    EXPECT_EQ(zemra::testing::readFile(folder / "gone" / "gone.dat"), listing);
}

TEST_F(ConverterSessionTest, OutputsThatCannotBeWrittenAreEachReportedAndNothingIsTouched) {
    const fs::path input = board("blocked.cmp");
    writeFile(folder / "blocked", "not a folder");
    for (const char* extension : {".dat", ".icn", ".icp", ".scp"}) {
        fs::create_directory(folder / (std::string("blocked") + extension));
    }
    const auto before = entriesOf(folder.path());
    pick(input);
    session.convert();
    EXPECT_EQ(frontEnd.messages,
              (std::vector<std::string>{std::string(operatorText(MessageKind::DatNotCreated)),
                                        std::string(operatorText(MessageKind::IcnNotCreated)),
                                        std::string(operatorText(MessageKind::IcpNotCreated)),
                                        std::string(operatorText(MessageKind::ScpNotCreated))}));
    EXPECT_EQ(entriesOf(folder.path()), before);
    EXPECT_FALSE(frontEnd.busy);
}

}  // namespace
}  // namespace zemra::app
