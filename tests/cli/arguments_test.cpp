// The arguments of zemra-convert as the parser reads them: what a command line asks for, and
// which command lines are usage errors and why.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "arguments.h"
#include "behaviour_name.h"

namespace zemra::cli {
namespace {

using Arguments = std::vector<std::string>;

constexpr const char* kAt = "--at needs a date and time as YYYY-MM-DDTHH:MM:SS";
constexpr const char* kAtYear = "--at needs a year from 2000 to 2099, the years a listing shows";
constexpr const char* kOutput = "-o needs a folder";
constexpr const char* kNoFile = "no component file given";
constexpr const char* kHtml = "--html needs the name of the page to write";

struct RequestCase {
    const char* behaviour;
    Arguments arguments;
    TesterVariant variant = TesterVariant::Kx740FeFr;
    bool reversePins = false;
    std::optional<std::string> at = std::nullopt;  // as given; nothing: the time of the run
    std::optional<std::string> outputParent = std::nullopt;
    Arguments inputs = {};
    SlashOptions slashOptions = systemSlashOptions();

    friend void PrintTo(const RequestCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

class RequestCases : public ::testing::TestWithParam<RequestCase> {};

TEST_P(RequestCases, AskForThisConversion) {
    const RequestCase& expected = GetParam();
    const ParsedArguments parsed = parseArguments(expected.arguments, expected.slashOptions);
    const auto* request = std::get_if<ConvertRequest>(&parsed);
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(request->settings.options.variant, expected.variant);
    EXPECT_EQ(request->settings.options.reversePins, expected.reversePins);
    EXPECT_EQ(request->timeGiven, expected.at.has_value());
    if (expected.at) {
        const LocalDateTime at = request->settings.at;
        const LocalDateTime given = parseLocalDateTime(*expected.at).value();
        EXPECT_EQ((std::vector{at.year, at.month, at.day, at.hour, at.minute, at.second}),
                  (std::vector{given.year, given.month, given.day, given.hour, given.minute,
                               given.second}));
    }
    EXPECT_EQ(request->outputParent.has_value(), expected.outputParent.has_value());
    if (request->outputParent && expected.outputParent) {
        EXPECT_EQ(request->outputParent->string(), *expected.outputParent);
    }
    Arguments inputs;
    for (const auto& input : request->inputs) {
        inputs.push_back(input.string());
    }
    EXPECT_EQ(inputs, expected.inputs);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, RequestCases,
    ::testing::Values(
        RequestCase{
            .behaviour = "FileAloneTakesTheDefaults", .arguments = {"a.cmp"}, .inputs = {"a.cmp"}},
        RequestCase{.behaviour = "Kx740eSelectsTheEVariant",
                    .arguments = {"--kx740e", "a.cmp"},
                    .variant = TesterVariant::Kx740e,
                    .inputs = {"a.cmp"}},
        RequestCase{.behaviour = "ReversePinsSetsTheOption",
                    .arguments = {"--reverse-pins", "a.cmp"},
                    .reversePins = true,
                    .inputs = {"a.cmp"}},
        RequestCase{.behaviour = "AtTakesTheNextArgument",
                    .arguments = {"--at", "2002-03-06T15:01:33", "a.cmp"},
                    .at = "2002-03-06T15:01:33",
                    .inputs = {"a.cmp"}},
        RequestCase{.behaviour = "AtTakesTheFirstYearOfTheListing",
                    .arguments = {"--at", "2000-01-01T00:00:00", "a.cmp"},
                    .at = "2000-01-01T00:00:00",
                    .inputs = {"a.cmp"}},
        RequestCase{.behaviour = "AtTakesTheLastYearOfTheListing",
                    .arguments = {"--at", "2099-12-31T23:59:59", "a.cmp"},
                    .at = "2099-12-31T23:59:59",
                    .inputs = {"a.cmp"}},
        RequestCase{.behaviour = "AtTakesAnAttachedValue",
                    .arguments = {"--at=2002-03-06T15:01:33", "a.cmp"},
                    .at = "2002-03-06T15:01:33",
                    .inputs = {"a.cmp"}},
        RequestCase{.behaviour = "ShortOutputTakesTheNextArgument",
                    .arguments = {"-o", "out", "a.cmp"},
                    .outputParent = "out",
                    .inputs = {"a.cmp"}},
        RequestCase{.behaviour = "LongOutputTakesTheNextArgument",
                    .arguments = {"--output", "out", "a.cmp"},
                    .outputParent = "out",
                    .inputs = {"a.cmp"}},
        RequestCase{.behaviour = "LongOutputTakesAnAttachedValue",
                    .arguments = {"--output=out", "a.cmp"},
                    .outputParent = "out",
                    .inputs = {"a.cmp"}},
        RequestCase{.behaviour = "OutputValueMayBeginWithADash",
                    .arguments = {"-o", "-x", "a.cmp"},
                    .outputParent = "-x",
                    .inputs = {"a.cmp"}},
        RequestCase{
            .behaviour = "RepeatedFlagsAreLikeOne",
            .arguments = {"--kx740e", "--reverse-pins", "--kx740e", "--reverse-pins", "a.cmp"},
            .variant = TesterVariant::Kx740e,
            .reversePins = true,
            .inputs = {"a.cmp"}},
        RequestCase{.behaviour = "OptionsAndFilesMixInAnyOrder",
                    .arguments = {"a.cmp", "--kx740e", "b.cmp", "-o", "out", "c.cmp"},
                    .variant = TesterVariant::Kx740e,
                    .outputParent = "out",
                    .inputs = {"a.cmp", "b.cmp", "c.cmp"}},
        RequestCase{.behaviour = "DoubleDashMakesTheRestFiles",
                    .arguments = {"--", "-odd.cmp", "--kx740e", "--", "--help"},
                    .inputs = {"-odd.cmp", "--kx740e", "--", "--help"}},
        RequestCase{.behaviour = "DashAloneIsAFile", .arguments = {"-"}, .inputs = {"-"}},
        RequestCase{.behaviour = "NamesKeepTheirCharacters",
                    .arguments = {"\xEB\xB3\xB4\xEB\x93\x9C.cmp", "e\xCC\x81.cmp"},
                    .inputs = {"\xEB\xB3\xB4\xEB\x93\x9C.cmp", "e\xCC\x81.cmp"}}),
    testing::BehaviourName());

// Windows programs take options that begin with '/', and paths on the current drive begin so too.
INSTANTIATE_TEST_SUITE_P(
    SlashArguments, RequestCases,
    ::testing::Values(RequestCase{.behaviour = "SlashNamesAnOptionByItsShortOrLongName",
                                  .arguments = {"/kx740e", "/reverse-pins", "/o", "out", "a.cmp"},
                                  .variant = TesterVariant::Kx740e,
                                  .reversePins = true,
                                  .outputParent = "out",
                                  .inputs = {"a.cmp"},
                                  .slashOptions = SlashOptions::On},
                      RequestCase{
                          .behaviour = "SlashOptionTakesAValueAfterAColon",
                          .arguments = {"/at:2002-03-06T15:01:33", "/output:C:\\out", "a.cmp"},
                          .at = "2002-03-06T15:01:33",
                          .outputParent = "C:\\out",
                          .inputs = {"a.cmp"},
                          .slashOptions = SlashOptions::On},
                      RequestCase{.behaviour = "SlashPathThatNamesNoOptionIsAFile",
                                  .arguments = {"/tmp/x/B.cmp", "/frobnicate", "/", "/o/B.cmp"},
                                  .inputs = {"/tmp/x/B.cmp", "/frobnicate", "/", "/o/B.cmp"},
                                  .slashOptions = SlashOptions::On},
                      RequestCase{.behaviour = "ValueOfAnOptionIsNeverASlashOption",
                                  .arguments = {"-o", "/kx740e", "/html", "/dump", "a.cmp"},
                                  .outputParent = "/kx740e",
                                  .inputs = {"a.cmp"},
                                  .slashOptions = SlashOptions::On},
                      RequestCase{.behaviour = "SlashOptionsEndAtTheDoubleDash",
                                  .arguments = {"--", "/kx740e"},
                                  .inputs = {"/kx740e"},
                                  .slashOptions = SlashOptions::On},
                      RequestCase{.behaviour = "SlashIsAlwaysAFileWhereOptionsBeginWithDashesAlone",
                                  .arguments = {"/kx740e", "/?"},
                                  .inputs = {"/kx740e", "/?"},
                                  .slashOptions = SlashOptions::Off}),
    testing::BehaviourName());

struct DumpCase {
    const char* behaviour;
    Arguments arguments;
    std::string input;
    DumpFormat format = DumpFormat::Csv;
    std::optional<std::string> outputParent = std::nullopt;
    SlashOptions slashOptions = systemSlashOptions();

    friend void PrintTo(const DumpCase& testCase, std::ostream* out) { *out << testCase.behaviour; }
};

class DumpCases : public ::testing::TestWithParam<DumpCase> {};

TEST_P(DumpCases, AskForThisDump) {
    const DumpCase& expected = GetParam();
    const ParsedArguments parsed = parseArguments(expected.arguments, expected.slashOptions);
    const auto* request = std::get_if<DumpRequest>(&parsed);
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(request->input.string(), expected.input);
    EXPECT_EQ(request->format, expected.format);
    EXPECT_EQ(request->outputParent.has_value(), expected.outputParent.has_value());
    if (request->outputParent && expected.outputParent) {
        EXPECT_EQ(request->outputParent->string(), *expected.outputParent);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, DumpCases,
    ::testing::Values(
        DumpCase{"DumpTakesTheNextArgument", {"--dump", "a.cmp"}, "a.cmp"},
        DumpCase{"DumpTakesAnAttachedFile", {"--dump=a.cmp"}, "a.cmp"},
        DumpCase{"CsvIsTheFormatByName", {"--dump=csv", "a.cmp"}, "a.cmp"},
        DumpCase{"XlsxAsksForAWorkbook", {"--dump=xlsx", "a.cmp"}, "a.cmp", DumpFormat::Workbook},
        DumpCase{"WorkbookFileAndFolderComeInAnyOrder",
                 {"a.cmp", "-o", "out", "--dump=xlsx"},
                 "a.cmp",
                 DumpFormat::Workbook,
                 "out"},
        DumpCase{"WorkbookFolderBeforeTheFile",
                 {"--dump=xlsx", "-o", "out", "a.cmp"},
                 "a.cmp",
                 DumpFormat::Workbook,
                 "out"},
        DumpCase{"DumpBeforeAnOptionTakesTheFileAfterIt", {"--dump", "--kx740e", "a.cmp"}, "a.cmp"},
        DumpCase{"SlashDumpTakesItsFormatAfterAColon",
                 {"/dump:xlsx", "/o", "out", "a.cmp"},
                 "a.cmp",
                 DumpFormat::Workbook,
                 "out",
                 SlashOptions::On}),
    testing::BehaviourName());

struct AnswerCase {
    const char* behaviour;
    Arguments arguments;
    bool help;  // else the version
    SlashOptions slashOptions = systemSlashOptions();

    friend void PrintTo(const AnswerCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

class AnswerCases : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(AnswerCases, AnswerInsteadOfConverting) {
    const ParsedArguments parsed = parseArguments(GetParam().arguments, GetParam().slashOptions);
    EXPECT_EQ(std::holds_alternative<ShowHelp>(parsed), GetParam().help);
    EXPECT_EQ(std::holds_alternative<ShowVersion>(parsed), !GetParam().help);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, AnswerCases,
    ::testing::Values(AnswerCase{"LongHelp", {"--help"}, true},
                      AnswerCase{"ShortHelp", {"-h"}, true},
                      AnswerCase{"HelpAfterFiles", {"a.cmp", "--help"}, true},
                      AnswerCase{"HelpBeforeAnUnknownOption", {"--help", "--frobnicate"}, true},
                      AnswerCase{"HelpBeforeAMissingValue", {"--help", "-o"}, true},
                      AnswerCase{"Version", {"--version"}, false},
                      AnswerCase{"FirstOfVersionAndHelp", {"--version", "--help"}, false},
                      AnswerCase{"SlashQuestionMark", {"/?"}, true, SlashOptions::On},
                      AnswerCase{"SlashVersion", {"/version"}, false, SlashOptions::On}),
    testing::BehaviourName());

struct UsageErrorCase {
    const char* behaviour;
    Arguments arguments;
    std::string message;

    friend void PrintTo(const UsageErrorCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

class UsageErrorCases : public ::testing::TestWithParam<UsageErrorCase> {};

TEST_P(UsageErrorCases, AreRefusedWithTheirReason) {
    const ParsedArguments parsed = parseArguments(GetParam().arguments);
    const auto* error = std::get_if<UsageError>(&parsed);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, UsageErrorCases,
    ::testing::Values(
        UsageErrorCase{"NoArguments", {}, kNoFile},
        UsageErrorCase{"TunedWithoutBase",
                       {"--tuned", "BOARD7", "new.cmp"},
                       "--tuned needs --base OLD, the component file that FOLDER was converted "
                       "from"},
        UsageErrorCase{"BaseWithoutTuned",
                       {"--base", "old.cmp", "new.cmp"},
                       "--base goes with --tuned FOLDER"},
        UsageErrorCase{"TunedWithDiff",
                       {"--diff", "--tuned", "BOARD7", "--base", "old.cmp", "a.cmp", "b.cmp"},
                       "--diff and --tuned do not go together"},
        UsageErrorCase{"TunedWithTwoRevisions",
                       {"--tuned", "BOARD7", "--base", "old.cmp", "a.cmp", "b.cmp"},
                       "--tuned converts one file: NEW"},
        UsageErrorCase{"TunedWithoutRevision",
                       {"--tuned", "BOARD7", "--base", "old.cmp"},
                       "--tuned converts one file: NEW"},
        UsageErrorCase{"OptionsWithoutFiles", {"--kx740e", "-o", "out"}, kNoFile},
        UsageErrorCase{
            "UnknownLongOption", {"--frobnicate", "a.cmp"}, "unknown option --frobnicate"},
        UsageErrorCase{"UnknownShortOption", {"a.cmp", "-x"}, "unknown option -x"},
        UsageErrorCase{
            "UnknownOptionBeforeHelp", {"--frobnicate", "--help"}, "unknown option --frobnicate"},
        UsageErrorCase{"FlagWithAValue", {"--kx740e=yes", "a.cmp"}, "unknown option --kx740e=yes"},
        UsageErrorCase{"ImpossibleDate", {"--at", "2002-13-01T00:00:00", "a.cmp"}, kAt},
        UsageErrorCase{"AtBeforeAFileTakesTheFileAsItsValue", {"--at", "a.cmp"}, kAt},
        UsageErrorCase{
            "YearBeforeTheListingsFirst", {"--at", "1999-06-15T10:00:00", "a.cmp"}, kAtYear},
        UsageErrorCase{"YearAfterTheListingsLast", {"--at=2100-01-01T00:00:00", "a.cmp"}, kAtYear},
        UsageErrorCase{"YearZero", {"--at", "0000-01-01T00:00:00", "a.cmp"}, kAtYear},
        UsageErrorCase{"Year9999", {"--at", "9999-12-31T23:59:59", "a.cmp"}, kAtYear},
        UsageErrorCase{"AtAtTheEnd", {"a.cmp", "--at"}, kAt},
        UsageErrorCase{"AtWithAnEmptyAttachedValue", {"--at=", "a.cmp"}, kAt},
        UsageErrorCase{"EmptyAt", {"--at", "", "a.cmp"}, kAt},
        UsageErrorCase{"ShortOutputAtTheEnd", {"a.cmp", "-o"}, kOutput},
        UsageErrorCase{"LongOutputAtTheEnd", {"a.cmp", "--output"}, kOutput},
        UsageErrorCase{"EmptyOutput", {"-o", "", "a.cmp"}, kOutput},
        UsageErrorCase{"OutputWithAnEmptyAttachedValue", {"--output=", "a.cmp", "b.cmp"}, kOutput},
        UsageErrorCase{"WorkbookWithoutAFile", {"--dump=xlsx"}, "--dump needs a file"},
        UsageErrorCase{"WorkbookOfTwoFiles",
                       {"--dump=xlsx", "a.cmp", "b.cmp"},
                       "--dump takes one file and converts nothing"},
        UsageErrorCase{"OutputFolderOfTheCsv",
                       {"--dump", "a.cmp", "-o", "out"},
                       "-o goes with --dump=xlsx only: the CSV goes to standard output"},
        UsageErrorCase{"HtmlAtTheEnd", {"a.cmp", "--html"}, kHtml},
        UsageErrorCase{"EmptyHtml", {"--html=", "a.cmp"}, kHtml},
        UsageErrorCase{"RepeatedOutputFolder",
                       {"-o", "x", "a.cmp", "--output=y"},
                       "-o is given more than once"},
        UsageErrorCase{"RepeatedAt",
                       {"--at", "2001-01-01T00:00:00", "--at", "2002-03-06T15:01:33", "a.cmp"},
                       "--at is given more than once"},
        UsageErrorCase{"RepeatedPage",
                       {"--html", "p.html", "a.cmp", "--html", "q.html"},
                       "--html is given more than once"},
        UsageErrorCase{"RepeatedPageOfADiff",
                       {"--diff", "--html=p.html", "a.cmp", "b.cmp", "--html=q.html"},
                       "--html is given more than once"},
        UsageErrorCase{"RepeatedReport",
                       {"--report", "--report=json", "a.cmp"},
                       "--report is given more than once"},
        UsageErrorCase{"RepeatedDump",
                       {"--dump=xlsx", "--dump=csv", "a.cmp"},
                       "--dump is given more than once"},
        UsageErrorCase{"DumpOfAFormatThatIsNone",
                       {"--dump=xml", "a.cmp"},
                       "--dump=xml: no such format; --dump takes =csv or =xlsx"},
        UsageErrorCase{"OutputFolderOfTheCsvBeforeTheFile",
                       {"--dump", "-o", ".", "a.cmp"},
                       "-o goes with --dump=xlsx only: the CSV goes to standard output"},
        UsageErrorCase{"DumpWithAnEmptyAttachedFile", {"--dump="}, "--dump needs a file"},
        UsageErrorCase{"HtmlWithDump",
                       {"--dump", "a.cmp", "--html", "p.html"},
                       "--dump converts nothing and writes no page"}),
    testing::BehaviourName());

TEST(Arguments, HtmlNamesThePageOfTheWholeCall) {
    const ParsedArguments parsed = parseArguments({"--html", "p.html", "a.cmp", "b.cmp"});
    const auto* request = std::get_if<ConvertRequest>(&parsed);
    ASSERT_NE(request, nullptr);
    ASSERT_TRUE(request->htmlPage.has_value());
    EXPECT_EQ(request->htmlPage->string(), "p.html");
    EXPECT_EQ(request->inputs.size(), 2U);
    EXPECT_FALSE(std::get<ConvertRequest>(parseArguments({"a.cmp"})).htmlPage.has_value());
}

}  // namespace
}  // namespace zemra::cli
