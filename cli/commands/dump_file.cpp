#include "dump_file.h"

#include "escaped_text.h"
#include "record_dump.h"
#include "run/exit_status.h"
#include "run/messages.h"

namespace zemra::cli {

std::unique_ptr<ReadableFile> openRecords(const std::filesystem::path& input,
                                          FileSystem& fileSystem, std::ostream& err) {
    try {
        return fileSystem.openForReading(input);
    } catch (const FileError& error) {
        err << "zemra-convert: " << consoleEscapedName(input) << ": "
            << describe({MessageKind::FileMissing, error}) << '\n';
        return nullptr;
    }
}

void reportTrailingBytes(const std::filesystem::path& input, std::uint64_t count,
                         std::ostream& err) {
    if (count > 0) {
        err << "zemra-convert: " << consoleEscapedName(input) << ": the last " << count
            << " bytes are no whole record and have no row\n";
    }
}

int dumpFile(const std::filesystem::path& input, FileSystem& fileSystem, std::ostream& out,
             std::ostream& err) {
    const std::unique_ptr<ReadableFile> file = openRecords(input, fileSystem, err);
    if (file == nullptr) {
        return kExitFailed;
    }
    try {
        reportTrailingBytes(input, writeRecordDump(*file, out), err);
    } catch (const CsvDump::StreamFailed&) {
        // Whoever owns the stream says why.
        return kExitFailed;
    } catch (const FileError& error) {
        out.flush();
        err << "zemra-convert: " << consoleEscapedName(input) << ": "
            << describe({MessageKind::FileUnreadable, error}) << '\n';
        return kExitFailed;
    }
    out.flush();
    return out ? kExitClean : kExitFailed;
}

}  // namespace zemra::cli
