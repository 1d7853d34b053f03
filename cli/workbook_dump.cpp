#include "workbook_dump.h"

#include <string>
#include <vector>

#include "convert_batch.h"
#include "escaped_text.h"
#include "platform/utf8_paths.h"
#include "record_dump.h"
#include "record_workbook.h"
#include "run/exit_status.h"
#include "run/folder_wait.h"
#include "run/input_file.h"
#include "run/messages.h"
#include "run/run_file_names.h"

namespace zemra::cli {
namespace {

constexpr std::size_t kCopyChunk = 1 << 20;

// A file this run made, removed when the run leaves it behind.
class OwnFile {
  public:
    // Creates the file; throws FileError when the name is taken or cannot be made.
    OwnFile(FileSystem& fileSystem, std::filesystem::path path)
        : fileSystem_(fileSystem), path_(std::move(path)), file_(fileSystem_.createNew(path_)) {}
    ~OwnFile() {
        file_.reset();
        if (!kept_) {
            fileSystem_.remove(path_);
        }
    }
    OwnFile(const OwnFile&) = delete;
    OwnFile& operator=(const OwnFile&) = delete;

    const std::filesystem::path& path() const { return path_; }
    WritableFile& file() { return *file_; }
    // Moves the finished file to `target`, after which it is no longer this run's to remove.
    void moveTo(const std::filesystem::path& target) {
        fileSystem_.rename(path_, target);
        kept_ = true;
    }

  private:
    FileSystem& fileSystem_;
    std::filesystem::path path_;
    std::unique_ptr<WritableFile> file_;
    bool kept_ = false;
};

// Copies the bytes of `from` into `to`, leaving it open to be finished.
void copyInto(FileSystem& fileSystem, const std::filesystem::path& from, WritableFile& to) {
    const std::unique_ptr<ReadableFile> source = fileSystem.openForReading(from);
    std::vector<std::byte> buffer(kCopyChunk);
    while (const std::size_t count = source->read(buffer)) {
        to.write(std::span(reinterpret_cast<const char*>(buffer.data()), count));
    }
}

// Whether `target` names the input file itself, which must never be replaced.
bool namesTheInput(FileSystem& fileSystem, const std::filesystem::path& target,
                   const std::filesystem::path& input) {
    try {
        return fileSystem.kindOf(target) == PathKind::File &&
               fileSystem.identityOf(target) == fileSystem.identityOf(input);
    } catch (const FileError&) {
        return false;
    }
}

}  // namespace

int dumpWorkbook(const std::filesystem::path& input,
                 const std::optional<std::filesystem::path>& outputParent, FileSystem& fileSystem,
                 std::ostream& out, std::ostream& err) {
    const std::string name = shownName(input);
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
        err << "zemra-convert: " << name << ": the workbook was not written: " << shownText(why)
            << '\n';
        return kExitFailed;
    };
    if (namesTheInput(fileSystem, target, input)) {
        return fail(FileError(FileOperation::Create, target, FailureReason::IsTheInput).what());
    }
    try {
        RecordWorkbook::checkRecordCount(records->expectedSize());
        // The library writes the workbook to a file of its own in the folder for temporary
        // files; it is copied into place through the checked writes of the file layer.
        OwnFile scratch(fileSystem,
                        std::filesystem::temp_directory_path() /
                            ("zemra" + newRunFileName(RunFileKind::Temporary) + ".xlsx"));
        scratch.file().finish();
        RecordWorkbook workbook(scratch.path());
        std::uint64_t trailing = 0;
        try {
            trailing = writeRecordDump(*records, workbook);
        } catch (const FileError& error) {
            err << "zemra-convert: " << name << ": "
                << describe({MessageKind::FileUnreadable, error}) << '\n';
            return kExitFailed;
        }
        workbook.close();
        // A temporary of the run's own in the output folder, made and let go of only while the
        // folder's lock is held, as a conversion's are: a conversion into that folder then removes
        // it if this run is killed, and never while it lives.
        std::optional<OwnFile> written;
        {
            const auto lock = lockFolderWithin(fileSystem, folder, folderWait());
            written.emplace(fileSystem, folder / platform::pathFromUtf8(
                                                     newRunFileName(RunFileKind::Temporary)));
        }
        copyInto(fileSystem, scratch.path(), written->file());
        {
            const auto lock = lockFolderWithin(fileSystem, folder, folderWait());
            written->file().finish();
            written->moveTo(target);
        }
        fileSystem.syncFolder(folder);
        out << shownName(target) << '\n';
        reportTrailingBytes(input, trailing, err);
        return kExitClean;
    } catch (const Interrupted&) {
        throw;
    } catch (const std::exception& error) {
        return fail(error.what());
    }
}

}  // namespace zemra::cli
