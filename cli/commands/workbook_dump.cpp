#include "workbook_dump.h"

#include <string>
#include <vector>

#include "dump_file.h"
#include "escaped_text.h"
#include "files/whole_file.h"
#include "output_parent.h"
#include "platform/utf8_paths.h"
#include "record_dump.h"
#include "record_workbook.h"
#include "run/exit_status.h"
#include "run/folder_wait.h"
#include "run/input_file.h"
#include "run/messages.h"
#include "workbook_recognition.h"

namespace zemra::cli {
namespace {

constexpr std::size_t kCopyChunk = 1 << 20;

// Copies the bytes of `from` into `to`, leaving it open to be finished.
void copyInto(FileSystem& fileSystem, const std::filesystem::path& from, WritableFile& to) {
    const std::unique_ptr<ReadableFile> source = fileSystem.openForReading(from);
    std::vector<std::byte> buffer(kCopyChunk);
    while (const std::size_t count = source->read(buffer)) {
        to.write(std::span(reinterpret_cast<const char*>(buffer.data()), count));
    }
}

}  // namespace

int dumpWorkbook(const std::filesystem::path& input,
                 const std::optional<std::filesystem::path>& outputParent, FileSystem& fileSystem,
                 std::ostream& out, std::ostream& err) {
    const std::string name = consoleEscapedName(input);
    if (!checkOutputParent(outputParent, fileSystem, err)) {
        return kExitFailed;
    }
    const std::unique_ptr<ReadableFile> records = openRecords(input, fileSystem, err);
    if (records == nullptr) {
        return kExitFailed;
    }
    const std::filesystem::path folder = outputParent ? *outputParent : folderOfInput(input);
    const std::filesystem::path target =
        folder / platform::pathFromUtf8(fileTitle(input) + ".xlsx");
    const auto fail = [&](const std::string& why) {
        err << "zemra-convert: " << name
            << ": the workbook was not written: " << consoleEscapedText(why) << '\n';
        return kExitFailed;
    };
    try {
        RecordWorkbook::checkRecordCount(records->expectedSize());
        checkReplaceable(fileSystem, target, std::span(&input, 1), isWorkbookOfOurs);
        // The library writes the workbook to a temporary of its own, and keeps its working files,
        // in the output folder; the workbook is then copied into place through the checked
        // writes of the file layer. Temporaries are made and let go of only while the folder's
        // lock is held, as a conversion's are.
        std::optional<WholeFile> scratch;
        {
            const auto lock = lockOutputFolder(fileSystem, folder, folderWait());
            if (lock) {
                removeLeftovers(fileSystem, folder, RunFileKind::Temporary);
            }
            scratch.emplace(fileSystem, target);
            scratch->finish();
        }
        RecordWorkbook workbook(scratch->temporary(), folder);
        std::uint64_t trailing = 0;
        try {
            trailing = writeRecordDump(*records, workbook);
        } catch (const FileError& error) {
            err << "zemra-convert: " << name << ": "
                << describe({MessageKind::FileUnreadable, error}) << '\n';
            return kExitFailed;
        }
        workbook.close();
        std::optional<WholeFile> written;
        {
            const auto lock = lockOutputFolder(fileSystem, folder, folderWait());
            written.emplace(fileSystem, target);
        }
        copyInto(fileSystem, scratch->temporary(), written->file());
        scratch->discard();
        {
            const auto lock = lockOutputFolder(fileSystem, folder, folderWait());
            written->finish();
            written->moveIntoPlace();
        }
        fileSystem.syncFolder(folder);
        out << consoleEscapedName(target) << '\n';
        reportTrailingBytes(input, trailing, err);
        return kExitClean;
    } catch (const std::exception& error) {
        return fail(error.what());
    }
}

}  // namespace zemra::cli
