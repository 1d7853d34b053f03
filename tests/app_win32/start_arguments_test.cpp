// What the command line of zemra.exe asks for.
#include "start_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "behaviour_name.h"

namespace zemra::app {
namespace {

struct StartCase {
    const char* behaviour;
    std::vector<std::wstring> arguments;
    std::optional<std::wstring> input;  // nothing: no input chosen at the start
    std::optional<int> usageExit;       // nothing: the dialog opens

    friend void PrintTo(const StartCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

class StartCases : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartCases, AskForTheDialogOrTheUsage) {
    const StartRequest request = readStartArguments(GetParam().arguments);
    EXPECT_EQ(request.input.has_value(), GetParam().input.has_value());
    EXPECT_EQ(request.input.value_or(L"").native(), GetParam().input.value_or(L""));
    EXPECT_EQ(request.usage.has_value(), GetParam().usageExit.has_value());
    if (GetParam().usageExit) {
        EXPECT_EQ(request.exitStatus, *GetParam().usageExit);
    }
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, StartCases,
    ::testing::Values(StartCase{"NothingOpensTheDialogAlone", {}, std::nullopt, std::nullopt},
                      StartCase{"FileIsTheChosenInput",
                                {L"D:\\boards\\BOARD7.cmp"},
                                L"D:\\boards\\BOARD7.cmp",
                                std::nullopt},
                      StartCase{"PathOnTheCurrentDriveIsAFile",
                                {L"/boards/BOARD7.cmp"},
                                L"/boards/BOARD7.cmp",
                                std::nullopt},
                      StartCase{"SlashNamingNoOptionIsAFile", {L"/help"}, L"/help", std::nullopt},
                      StartCase{"QuestionMarkShowsTheUsage", {L"/?"}, std::nullopt, 0},
                      StartCase{"TwoFilesAreAUsageError", {L"a.cmp", L"b.cmp"}, std::nullopt, 2}),
    zemra::testing::BehaviourName());

}  // namespace
}  // namespace zemra::app
