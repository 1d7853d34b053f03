// A failed file operation says what was done, to which file and why.
#include "files/file_error.h"

#include <gtest/gtest.h>

#include "behaviour_name.h"
#include "files/file_system.h"
#include "temp_folder.h"

namespace zemra {
namespace {

struct ErrorTextCase {
    const char* behaviour;
    FileOperation operation;
    FailureReason reason;
    std::errc error;
    std::string text;  // before the system's text for `error`, where the reason is the system's

    friend void PrintTo(const ErrorTextCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

class FileErrorText : public ::testing::TestWithParam<ErrorTextCase> {};

TEST_P(FileErrorText, NamesTheOperationThePathAndTheReason) {
    const ErrorTextCase& testCase = GetParam();
    const FileError error(testCase.operation, "/boards/B.cmp", testCase.reason,
                          std::make_error_code(testCase.error));
    const std::string expected =
        testCase.reason == FailureReason::SystemError
            ? testCase.text + std::make_error_code(testCase.error).message()
            : testCase.text;
    EXPECT_EQ(error.what(), expected);
    EXPECT_EQ(error.path(), "/boards/B.cmp");
    EXPECT_EQ(error.operation(), testCase.operation);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, FileErrorText,
    ::testing::Values(
        ErrorTextCase{"ReadOfTheInput", FileOperation::Read, FailureReason::SystemError,
                      std::errc::io_error, "cannot read /boards/B.cmp: "},
        ErrorTextCase{"InputThatShrank", FileOperation::Read, FailureReason::Shrank,
                      std::errc::io_error,
                      "cannot read /boards/B.cmp: the file grew shorter while it was read"},
        ErrorTextCase{"OutputOverTheInput", FileOperation::Create, FailureReason::IsTheInput,
                      std::errc::file_exists,
                      "cannot create /boards/B.cmp: would replace the input file"},
        ErrorTextCase{"FullDisk", FileOperation::Write, FailureReason::SystemError,
                      std::errc::no_space_on_device, "cannot write /boards/B.cmp: "},
        ErrorTextCase{"SecondName", FileOperation::Link, FailureReason::SystemError,
                      std::errc::operation_not_permitted,
                      "cannot give /boards/B.cmp a second name: "}),
    testing::BehaviourName());

TEST(FileError, OfTheSystemSaysWhatItTriedOnWhichPath) {
    const testing::TempFolder folder;
    const std::filesystem::path missing = folder / "missing.cmp";
    try {
        systemFileSystem().openForReading(missing);
        FAIL() << "a missing file opened";
    } catch (const FileError& error) {
        EXPECT_EQ(error.operation(), FileOperation::OpenForReading);
        EXPECT_EQ(error.reason(), FailureReason::NotFound);
        EXPECT_EQ(error.path(), missing);
        EXPECT_NE(std::string(error.what()).find("missing.cmp: no such file"), std::string::npos)
            << error.what();
    }
}

}  // namespace
}  // namespace zemra

namespace zemra {
namespace {

// A request to stop passes through every handler of failures to the program's top.
TEST(Interrupted, IsNotTakenForAFailure) {
    const auto convertOrReport = [] {
        try {
            throw Interrupted(2);
        } catch (const std::exception&) {
            // A failure would be reported here, and the next file converted.
        }
    };
    EXPECT_THROW(convertOrReport(), Interrupted);
}

}  // namespace
}  // namespace zemra
