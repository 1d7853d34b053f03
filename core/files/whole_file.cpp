#include "files/whole_file.h"

#include <utility>

#include "platform/utf8_paths.h"

namespace zemra {
namespace {

// A name of the run's own is taken only by a file of another version or of the user's.
constexpr unsigned kNameAttempts = 100;

[[noreturn]] void refuse(const std::filesystem::path& destination, FailureReason reason) {
    throw FileError(FileOperation::Create, destination, reason);
}

std::filesystem::path folderOf(const std::filesystem::path& destination) {
    return destination.parent_path();
}

}  // namespace

WholeFile::WholeFile(FileSystem& fileSystem, std::filesystem::path destination)
    : fileSystem_(fileSystem), destination_(std::move(destination)) {
    for (unsigned attempt = 1;; ++attempt) {
        const std::filesystem::path path =
            folderOf(destination_) / platform::pathFromUtf8(newRunFileName(RunFileKind::Temporary));
        try {
            file_ = fileSystem_.createNew(path);
            temporary_ = path;
            return;
        } catch (const FileError& error) {
            if (error.error() != std::errc::file_exists || attempt == kNameAttempts) {
                throw;
            }
        }
    }
}

WholeFile::~WholeFile() {
    discard();
}

void WholeFile::finish() {
    file_->finish();
}

void WholeFile::moveIntoPlace() {
    fileSystem_.rename(temporary_, destination_);
    temporary_.clear();
    file_.reset();
}

void WholeFile::discard() noexcept {
    file_.reset();
    if (!temporary_.empty()) {
        fileSystem_.remove(temporary_);
        temporary_.clear();
    }
}

void writeWholeFile(FileSystem& fileSystem, const std::filesystem::path& destination,
                    std::span<const char> bytes) {
    WholeFile file(fileSystem, destination);
    file.file().write(bytes);
    file.finish();
    file.moveIntoPlace();
    fileSystem.syncFolder(folderOf(destination));
}

void checkReplaceable(FileSystem& fileSystem, const std::filesystem::path& destination,
                      std::span<const std::filesystem::path> runFiles,
                      const std::function<bool(ReadableFile&)>& isOurs) {
    switch (fileSystem.kindOf(destination)) {
        case PathKind::Missing:
            return;
        case PathKind::Folder:
            refuse(destination, FailureReason::IsFolder);
        case PathKind::Other:
            refuse(destination, FailureReason::NotRegularFile);
        case PathKind::File:
            break;
    }
    const FileIdentity identity = fileSystem.identityOf(destination);
    for (const std::filesystem::path& runFile : runFiles) {
        if (fileSystem.kindOf(runFile) == PathKind::File &&
            fileSystem.identityOf(runFile) == identity) {
            refuse(destination, FailureReason::IsTheInput);
        }
    }
    if (!isOurs(*fileSystem.openForReading(destination))) {
        refuse(destination, FailureReason::NotOurs);
    }
}

void removeLeftovers(FileSystem& fileSystem, const std::filesystem::path& folder,
                     RunFileKind kind) {
    std::vector<std::filesystem::path> names;
    try {
        names = fileSystem.namesIn(folder.empty() ? std::filesystem::path(".") : folder);
    } catch (const FileError&) {
        return;
    }
    for (const std::filesystem::path& name : names) {
        const std::optional<RunFileOwner> owner = ownerOfRunFile(kind, platform::utf8Of(name));
        if (owner && runHasEnded(*owner)) {
            fileSystem.removeUnlocked(folder / name);
        }
    }
}

}  // namespace zemra
