// A power cut after any step of a conversion, a page or a workbook: every operation that changes
// the folder is recorded through the file-system seam, and for each prefix of that list the
// folder is put back as the disk holds it after the cut. Each file the run writes is then whole
// (older or newer), and one more run leaves the whole new set, every file of the user's, and no
// leftover.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <sstream>

#include "behaviour_name.h"
#include "board_generator.h"
#include "file_conversion.h"
#include "files/run_file_names.h"
#include "page_file.h"
#include "page_shell.h"
#include "recording_file_system.h"
#include "temp_folder.h"
#include "workbook_dump.h"

namespace zemra {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

const LocalDateTime kAt{2002, 3, 6, 15, 1, 33};

std::string boardBytes(std::uint64_t seed, std::size_t records) {
    const auto board = generateBoard(seed, records);
    return {reinterpret_cast<const char*>(board.data()), board.size()};
}

std::string pageOf(const std::string& title) {
    std::string page;
    cli::appendPageStart(title, page);
    cli::appendPageEnd(cli::Json::object({{"title", title}}), page);
    return page;
}

// A command whose power cuts are tried: what it writes (relative to the work folder), how to
// make its older files, and how to run it with a file system.
struct Command {
    const char* behaviour;
    std::vector<std::string> writes;
    std::function<void(const fs::path& work)> prepareOlder;
    std::function<void(const fs::path& work)> prepareNewer;
    std::function<bool(const fs::path& work, FileSystem& fileSystem)> run;

    friend void PrintTo(const Command& command, std::ostream* out) { *out << command.behaviour; }
};

bool convert(const fs::path& work, FileSystem& fileSystem) {
    return testing::convertFile(fileSystem, work / "B.cmp", work, {{}, kAt},
                                [](const RunMessage&) {})
        .committed;
}

bool dump(const fs::path& work, FileSystem& fileSystem) {
    std::ostringstream out;
    std::ostringstream err;
    return cli::dumpWorkbook(work / "B.cmp", work / "B", fileSystem, out, err) == 0;
}

bool writeNewerPage(const fs::path& work, FileSystem& fileSystem) {
    std::ostringstream out;
    std::ostringstream err;
    return cli::writePage(
        work / "B" / "B.html", [] { return pageOf("newer"); }, {}, fileSystem, out, err);
}

const std::vector<Command> kCommands{
    {"Conversion",
     {"B/B.dat", "B/B.icn", "B/B.icp", "B/B.scp"},
     [](const fs::path& work) {
         writeFile(work / "B.cmp", boardBytes(1, 30));
         ASSERT_TRUE(convert(work, systemFileSystem()));
     },
     [](const fs::path& work) { writeFile(work / "B.cmp", boardBytes(2, 40)); },
     convert},
    {"Page",
     {"B/B.html"},
     [](const fs::path& work) {
         fs::create_directories(work / "B");
         writeFile(work / "B" / "B.html", pageOf("older"));
     },
     [](const fs::path&) {},
     writeNewerPage},
    {"Workbook",
     {"B/B.xlsx"},
     [](const fs::path& work) {
         fs::create_directories(work / "B");
         writeFile(work / "B.cmp", boardBytes(1, 30));
         ASSERT_TRUE(dump(work, systemFileSystem()));
     },
     [](const fs::path& work) { writeFile(work / "B.cmp", boardBytes(2, 40)); },
     dump},
};

// The user's files in the folder a run writes into, one named as the temporaries of an earlier
// version.
const std::map<std::string, std::string> kUsersFiles{{"B/notes.txt", "the user's"},
                                                     {"B/.zt-1-0123456789abcdef", "the user's"}};

std::uint32_t littleEndianAt(const std::string& bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t byte = size; byte-- > 0;) {
        value = value << 8U | static_cast<unsigned char>(bytes.at(at + byte));
    }
    return value;
}

// A workbook records the second it was written in docProps/core.xml: two runs give the same
// workbook when every other entry of its zip directory has the same name, CRC-32 and size.
std::string workbookEntries(const std::string& bytes) {
    constexpr std::size_t kEndRecordSize = 22;
    constexpr std::size_t kEntryHeaderSize = 46;
    if (bytes.size() < kEndRecordSize) {
        return "not a zip archive";
    }
    const std::size_t end = bytes.size() - kEndRecordSize;
    const std::uint32_t entryCount = littleEndianAt(bytes, end + 10, 2);
    std::size_t at = littleEndianAt(bytes, end + 16, 4);
    std::string entries;
    for (std::uint32_t entry = 0; entry < entryCount; ++entry) {
        const std::size_t nameSize = littleEndianAt(bytes, at + 28, 2);
        const std::string name = bytes.substr(at + kEntryHeaderSize, nameSize);
        if (name != "docProps/core.xml") {
            entries += name + " " + std::to_string(littleEndianAt(bytes, at + 16, 4)) + " " +
                       std::to_string(littleEndianAt(bytes, at + 24, 4)) + "\n";
        }
        at += kEntryHeaderSize + nameSize + littleEndianAt(bytes, at + 30, 2) +
              littleEndianAt(bytes, at + 32, 2);
    }
    return entries;
}

std::map<std::string, std::string> contentsOf(const fs::path& work,
                                              const std::vector<std::string>& names) {
    std::map<std::string, std::string> contents;
    for (const std::string& name : names) {
        if (!fs::exists(work / name)) {
            contents[name] = "missing";
        } else if (name.ends_with(".xlsx")) {
            contents[name] = workbookEntries(readFile(work / name));
        } else {
            contents[name] = readFile(work / name);
        }
    }
    return contents;
}

// Files that runs make beside what they write, and the older naming's user file aside.
std::vector<std::string> leftoversIn(const fs::path& folder) {
    std::vector<std::string> leftovers;
    for (const std::string& name : testing::entriesOf(folder)) {
        if (isRunFileName(RunFileKind::Temporary, name) ||
            isRunFileName(RunFileKind::Backup, name)) {
            leftovers.push_back(name);
        }
    }
    return leftovers;
}

class PowerCut : public ::testing::TestWithParam<Command> {
  protected:
    // The folder as it was before the command: the older files and the user's.
    void restoreBefore() {
        fs::remove_all(work);
        fs::copy(before, work, fs::copy_options::recursive);
    }

    TempFolder folder;
    fs::path before = folder / "before";
    fs::path work = folder / "work";
};

TEST_P(PowerCut, AfterAnyStepLeavesWholeFilesAndTheNextRunTheWholeNewSet) {
    const Command& command = GetParam();
    fs::create_directories(work);
    command.prepareOlder(work);
    for (const auto& [name, bytes] : kUsersFiles) {
        writeFile(work / name, bytes);
    }
    command.prepareNewer(work);
    fs::copy(work, before, fs::copy_options::recursive);
    const auto older = contentsOf(work, command.writes);

    testing::RecordingFileSystem recording;
    ASSERT_TRUE(command.run(work, recording));
    const auto newer = contentsOf(work, command.writes);
    ASSERT_NE(older, newer);
    const std::vector<testing::FileStep>& steps = recording.steps();
    ASSERT_GT(steps.size(), command.writes.size());

    for (std::size_t count = 0; count <= steps.size(); ++count) {
        SCOPED_TRACE("power cut after step " + std::to_string(count) + " of " +
                     std::to_string(steps.size()));
        restoreBefore();
        testing::replaySteps(steps, count);
        for (const auto& [name, bytes] : contentsOf(work, command.writes)) {
            EXPECT_TRUE(bytes == older.at(name) || bytes == newer.at(name))
                << name << " is neither the older file nor the newer";
        }
        ASSERT_TRUE(command.run(work, systemFileSystem()));
        EXPECT_TRUE(contentsOf(work, command.writes) == newer) << "not the whole new set";
        EXPECT_EQ(contentsOf(work, {"B/notes.txt", "B/.zt-1-0123456789abcdef"}), kUsersFiles);
        EXPECT_EQ(leftoversIn(work / "B"), std::vector<std::string>{});
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPrefix, PowerCut, ::testing::ValuesIn(kCommands),
                         testing::BehaviourName());

}  // namespace
}  // namespace zemra
