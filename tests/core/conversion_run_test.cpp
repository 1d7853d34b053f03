// Whole runs on the file system: output folder, outputs, header, settings file and messages.
#include <gtest/gtest.h>

#include "file_conversion.h"
#include "in_memory_conversion.h"
#include "record_builder.h"
#include "temp_folder.h"

namespace zemra {
namespace {

using testing::entriesOf;
using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

const LocalDateTime kMarch2002{2002, 3, 6, 15, 1, 33};

class ConversionRun : public ::testing::Test {
  protected:
    RunOutcome convert(const std::filesystem::path& input,
                       TesterVariant variant = TesterVariant::Kx740FeFr,
                       std::optional<std::filesystem::path> parent = std::nullopt) {
        messages.clear();
        return testing::convertFile(systemFileSystem(), input, parent,
                                    {{variant, false}, kMarch2002},
                                    [this](const RunMessage& message) {
                                        messages.emplace_back(operatorText(message.kind));
                                    });
    }

    static std::string recordsOf(const std::vector<RecordBuilder>& records) {
        return testing::recordsOf(records);
    }

    TempFolder folder;
    std::vector<std::string> messages;
};

const std::string kConverted(operatorText(MessageKind::Converted));
const std::string kFileMissing(operatorText(MessageKind::FileMissing));
const std::string kDatNotCreated(operatorText(MessageKind::DatNotCreated));
const std::string kIcnNotCreated(operatorText(MessageKind::IcnNotCreated));
const std::string kIcpNotCreated(operatorText(MessageKind::IcpNotCreated));
const std::string kScpNotCreated(operatorText(MessageKind::ScpNotCreated));

TEST_F(ConversionRun, EmptyInputGivesHeaderSettingsAndEmptyPinFiles) {
    writeFile(folder / "BOARD7.cmp", "");
    const RunOutcome report = convert(folder / "BOARD7.cmp");
    EXPECT_TRUE(report.committed);
    EXPECT_EQ(report.outputFolder, folder / "BOARD7");
    EXPECT_EQ(entriesOf(folder / "BOARD7"),
              (std::vector<std::string>{"BOARD7.dat", "BOARD7.icn", "BOARD7.icp", "BOARD7.scp"}));
    EXPECT_EQ(readFile(folder / "BOARD7" / "BOARD7.dat"),
              "! File Name: BOARD7.dat Test Data Listing RXL-6200B ICT+FUNCTIONAL ATE\r\n"
              "! Board Name: BOARD7       Time: 03-06-2002 15:01:33\r\n"
              "!\r\n"
              "!Step   Parts-N  Actual-V  LC  Hi-P  Lo-P  G-P1  G-P2  G-P3  G-P4  G-P5  Skip "
              "Type\r\n"
              "!       Meas-V   Stand-V  +Lm%  -Lm%  DLY  MODE  AVGE  RPT   SMP  OFFSET  DEV%\r\n");
    EXPECT_EQ(readFile(folder / "BOARD7" / "BOARD7.scp"),
              "SCP /10 = 17\r\nSCP /13 = 0\r\nSCP /16 = 2\r\nSCP /20 = 8\r\nSCP /28 = -64\r\n"
              "SCP /29 = -48\r\n");
    EXPECT_EQ(readFile(folder / "BOARD7" / "BOARD7.icn"), "");
    EXPECT_EQ(readFile(folder / "BOARD7" / "BOARD7.icp"), "");
    EXPECT_EQ(messages, (std::vector<std::string>{kConverted}));
}

TEST_F(ConversionRun, Kx740eHeadingHasNoTypeColumnAndTheYearIsOfTheCentury) {
    writeFile(folder / "b.cmp", "");
    testing::convertFile(systemFileSystem(), folder / "b.cmp", std::nullopt,
                         {{TesterVariant::Kx740e, false}, {1999, 12, 31, 23, 59, 58}},
                         [](const RunMessage&) {});
    const auto lines = testing::linesOf(readFile(folder / "b" / "b.dat"));
    EXPECT_EQ(lines[1], "! Board Name: b       Time: 12-31-2099 23:59:58");
    EXPECT_EQ(lines[3],
              "!Step   Parts-N  Actual-V  LC  Hi-P  Lo-P  G-P1  G-P2  G-P3  G-P4  G-P5  Skip");
}

TEST_F(ConversionRun, OnlyWholeRecordsAreRead) {
    const RecordBuilder record = RecordBuilder().name("R1").skip();
    const std::string twoRecords = recordsOf({record, record});
    for (const auto& [size, steps] : std::vector<std::pair<std::size_t, std::size_t>>{
             {63, 0}, {64, 1}, {100, 1}, {128, 2}, {130, 2}}) {
        std::string bytes = twoRecords + std::string(64, 'x');
        bytes.resize(size);
        writeFile(folder / "part.cmp", bytes);
        convert(folder / "part.cmp");
        const auto lines = testing::linesOf(readFile(folder / "part" / "part.dat"));
        EXPECT_EQ(lines.size(), 5 + 2 * steps) << size;
    }
}

TEST_F(ConversionRun, SettingsCountTheLcCodesAndPinsOfTheRun) {
    writeFile(folder / "lc.cmp", recordsOf({RecordBuilder().name("R1").lc("A1").pins(187, 3),
                                            RecordBuilder().name("R2").lc("B3").pins(5, 6),
                                            RecordBuilder().name("R3").lc("C2").pins(7, 100)}));
    convert(folder / "lc.cmp");
    EXPECT_EQ(readFile(folder / "lc" / "lc.scp"),
              "SCP /10 = 17\r\nSCP /13 = 187\r\nSCP /16 = 2\r\nSCP /20 = 8\r\nSCP /28 = 3\r\n"
              "SCP /29 = 3\r\n");
}

TEST_F(ConversionRun, TitleIsTheNameUpToItsLastDot) {
    EXPECT_EQ(fileTitle("/x/BOARD7.cmp"), "BOARD7");
    EXPECT_EQ(fileTitle("/x/rev.2.cmp"), "rev.2");
    EXPECT_EQ(fileTitle("/x.y/noext"), "noext");
    writeFile(folder / "rev.2.cmp", "");
    EXPECT_EQ(convert(folder / "rev.2.cmp").outputFolder, folder / "rev.2");
    EXPECT_TRUE(std::filesystem::exists(folder / "rev.2" / "rev.2.dat"));
}

TEST_F(ConversionRun, MissingOrFolderInputIsReportedAndNothingIsWritten) {
    std::filesystem::create_directory(folder / "folder.cmp");
    for (const char* name : {"missing.cmp", "folder.cmp"}) {
        const RunOutcome report = convert(folder / name);
        EXPECT_FALSE(report.committed);
        EXPECT_TRUE(report.outputFolder.empty());
        EXPECT_EQ(messages, (std::vector<std::string>{kFileMissing}));
    }
    EXPECT_EQ(entriesOf(folder.path()), (std::vector<std::string>{"folder.cmp"}));
}

TEST_F(ConversionRun, SecondRunReplacesTheOutputsAndLeavesNoTemporaryFiles) {
    writeFile(folder / "B.cmp", recordsOf({RecordBuilder().name("R1").lc("A1")}));
    convert(folder / "B.cmp");
    std::filesystem::create_directory(folder / "B" / "keep");
    writeFile(folder / "B" / "B.dat", "old listing that is much longer than the new one ...");
    writeFile(folder / "B.cmp", "");
    convert(folder / "B.cmp");
    EXPECT_EQ(entriesOf(folder / "B"),
              (std::vector<std::string>{"B.dat", "B.icn", "B.icp", "B.scp", "keep"}));
    EXPECT_EQ(testing::linesOf(readFile(folder / "B" / "B.dat")).size(), 5U);
}

TEST_F(ConversionRun, OutputThatCannotBeCreatedStopsTheRunAndWritesNothing) {
    writeFile(folder / "B.cmp", "");
    std::filesystem::create_directories(folder / "B" / "B.icp");
    const RunOutcome report = convert(folder / "B.cmp");
    EXPECT_FALSE(report.committed);
    EXPECT_EQ(messages, (std::vector<std::string>{kIcpNotCreated}));
    EXPECT_EQ(entriesOf(folder / "B"), (std::vector<std::string>{"B.icp"}));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "B" / "B.icp"));
}

TEST_F(ConversionRun, WithoutItsOwnFolderTheOutputsGoBesideTheInputButNeverOverIt) {
    // A file named like the output folder keeps the folder from being made.
    writeFile(folder / "x", "not a folder");
    const std::string input = recordsOf({RecordBuilder().name("R1")});
    writeFile(folder / "x.dat", input);
    const RunOutcome report = convert(folder / "x.dat");
    EXPECT_EQ(report.outputFolder, folder.path());
    EXPECT_FALSE(report.committed);
    EXPECT_EQ(messages, (std::vector<std::string>{kDatNotCreated}));
    EXPECT_EQ(readFile(folder / "x.dat"), input);
    EXPECT_EQ(readFile(folder / "x"), "not a folder");
    EXPECT_EQ(entriesOf(folder.path()), (std::vector<std::string>{"x", "x.dat"}));
}

TEST_F(ConversionRun, EveryOutputThatCannotBeOpenedIsReportedInOrder) {
    writeFile(folder / "B.cmp", "");
    const RunOutcome report =
        convert(folder / "B.cmp", TesterVariant::Kx740FeFr, folder / "no" / "such");
    EXPECT_FALSE(report.committed);
    EXPECT_EQ(messages, (std::vector<std::string>{kDatNotCreated, kIcnNotCreated, kIcpNotCreated,
                                                  kScpNotCreated}));
}

TEST_F(ConversionRun, LongestTitleWhoseNamesFitConverts) {
    // 251 bytes and ".dat" make the longest name a folder can hold; with the folder of the same
    // name the paths run past the 260 characters that Windows paths have without their long form.
    // The files are made and looked for through the engine's own file operations.
    FileSystem& files = systemFileSystem();
    const auto write = [&files](const std::filesystem::path& path, const std::string& bytes) {
        const auto file = files.createNew(path);
        file->write(bytes);
        file->finish();
    };
    // A name the system refuses names no file.
    const auto isFile = [&files](const std::filesystem::path& path) {
        try {
            return files.kindOf(path) == PathKind::File;
        } catch (const FileError&) {
            return false;
        }
    };
    const std::string title(251, 't');
    write(folder / (title + ".cmp"), recordsOf({RecordBuilder().name("R1")}));
    EXPECT_TRUE(convert(folder / (title + ".cmp")).committed);
    for (const char* extension : {".dat", ".icn", ".icp", ".scp"}) {
        EXPECT_TRUE(isFile(folder / title / (title + extension))) << extension;
    }
    const std::string tooLong(252, 't');
    write(folder / (tooLong + ".c"), "");
    // Names one byte too long: POSIX systems refuse them when the outputs are opened, Windows only
    // when they are moved into place. Either way nothing is left.
    EXPECT_FALSE(convert(folder / (tooLong + ".c")).committed);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front(), kDatNotCreated);
    for (const char* extension : {".dat", ".icn", ".icp", ".scp"}) {
        EXPECT_FALSE(isFile(folder / tooLong / (tooLong + extension)));
    }
}

}  // namespace
}  // namespace zemra
