#include "run/output_set.h"

#include <algorithm>
#include <array>

#include "platform/utf8_paths.h"
#include "run/folder_wait.h"

namespace zemra {
namespace {

// A second name of the run's own is taken only by a file of another version or of the user's.
constexpr unsigned kNameAttempts = 100;

constexpr std::array<OutputKind, kOutputCount> kKinds{OutputKind::Dat, OutputKind::Icn,
                                                      OutputKind::Icp, OutputKind::Scp};

}  // namespace

std::string_view extensionOf(OutputKind kind) {
    switch (kind) {
        case OutputKind::Dat:
            return ".dat";
        case OutputKind::Icn:
            return ".icn";
        case OutputKind::Icp:
            return ".icp";
        case OutputKind::Scp:
            return ".scp";
    }
    return {};
}

MessageKind notCreatedMessage(OutputKind kind) {
    switch (kind) {
        case OutputKind::Dat:
            return MessageKind::DatNotCreated;
        case OutputKind::Icn:
            return MessageKind::IcnNotCreated;
        case OutputKind::Icp:
            return MessageKind::IcpNotCreated;
        case OutputKind::Scp:
            return MessageKind::ScpNotCreated;
    }
    return MessageKind::DatNotCreated;
}

// Names the output in every failure of its file.
class OutputSet::Sink : public ByteSink {
  public:
    Sink(OutputKind kind, WritableFile& file) : kind_(kind), file_(file) {}

    void write(std::span<const char> bytes) override {
        try {
            file_.write(bytes);
        } catch (const FileError& error) {
            throw OutputSetFailure({OutputError(kind_, error)});
        }
    }

  private:
    OutputKind kind_;
    WritableFile& file_;
};

OutputSet::OutputSet(FileSystem& fileSystem, std::filesystem::path folder, std::string title,
                     std::filesystem::path input, std::chrono::milliseconds folderWait)
    : fileSystem_(fileSystem),
      folder_(std::move(folder)),
      title_(std::move(title)),
      input_(std::move(input)),
      folderWait_(folderWait) {}

OutputSet::~OutputSet() {
    discard();
}

std::filesystem::path OutputSet::targetOf(OutputKind kind) const {
    return folder_ / platform::pathFromUtf8(title_ + std::string(extensionOf(kind)));
}

// The folder's lock; a folder that another run keeps fails the set as its listing.
std::unique_ptr<FolderLock> OutputSet::lockFolder() {
    try {
        return lockOutputFolder(fileSystem_, folder_, folderWait_);
    } catch (const FileError& error) {
        throw OutputSetFailure({OutputError(OutputKind::Dat, error)});
    }
}

// An input that is not there now is in no output's way; an input that cannot be looked at is
// a failure of the output, since the output might be the input.
bool OutputSet::isTheInput(const std::filesystem::path& target) {
    const FileIdentity targetIdentity = fileSystem_.identityOf(target);
    try {
        return targetIdentity == fileSystem_.identityOf(input_);
    } catch (const FileError& error) {
        if (error.error() == std::errc::no_such_file_or_directory) {
            return false;
        }
        throw;
    }
}

void OutputSet::openOutput(OutputKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    const std::filesystem::path target = targetOf(kind);
    const PathKind existing = fileSystem_.kindOf(target);
    if (existing == PathKind::Folder) {
        throw FileError(FileOperation::Create, target, FailureReason::IsFolder);
    }
    if (existing == PathKind::Other) {
        throw FileError(FileOperation::Create, target, FailureReason::NotRegularFile);
    }
    if (existing == PathKind::File && isTheInput(target)) {
        throw FileError(FileOperation::Create, target, FailureReason::IsTheInput);
    }
    files_[index] = std::make_unique<WholeFile>(fileSystem_, target);
    sinks_[index] = std::make_unique<Sink>(kind, files_[index]->file());
}

void OutputSet::open() {
    const std::unique_ptr<FolderLock> lock = lockFolder();
    if (lock) {
        removeLeftovers(fileSystem_, folder_, RunFileKind::Temporary);
    }
    std::vector<OutputError> errors;
    for (const OutputKind kind : kKinds) {
        try {
            openOutput(kind);
        } catch (const FileError& error) {
            errors.emplace_back(kind, error);
        }
    }
    if (!errors.empty()) {
        throw OutputSetFailure(std::move(errors));
    }
}

ByteSink& OutputSet::sink(OutputKind kind) {
    return *sinks_[static_cast<std::size_t>(kind)];
}

// The temporaries are closed, and so let go of their locks, only while the folder's lock is held.
void OutputSet::commit() {
    const std::unique_ptr<FolderLock> lock = lockFolder();
    for (const OutputKind kind : kKinds) {
        try {
            files_[static_cast<std::size_t>(kind)]->finish();
        } catch (const FileError& error) {
            throw OutputSetFailure({OutputError(kind, error)});
        }
    }
    moveIntoPlace();
    removeBackups();
    // Older outputs that runs which are gone left under a second name are out of date now that a
    // whole set is in place.
    if (lock) {
        removeLeftovers(fileSystem_, folder_, RunFileKind::Backup);
    }
    fileSystem_.syncFolder(folder_);
}

// Each older output keeps a second name until the new set is in place, so that a move that
// fails part-way can put back every older file. Where the system has no second names, the older
// file is moved aside instead, just before its replacement moves in.
void OutputSet::moveIntoPlace() {
    struct Move {
        std::filesystem::path target;
        std::filesystem::path backup;  // empty: no older file
        bool movedAside = false;
        bool done = false;
    };
    std::array<Move, kOutputCount> moves;
    for (const OutputKind kind : kKinds) {
        Move& move = moves[static_cast<std::size_t>(kind)];
        move.target = targetOf(kind);
        try {
            if (fileSystem_.kindOf(move.target) != PathKind::File) {
                continue;
            }
        } catch (const FileError& error) {
            throw OutputSetFailure({OutputError(kind, error)});
        }
        for (unsigned attempt = 0; attempt < kNameAttempts && move.backup.empty(); ++attempt) {
            const std::filesystem::path backup =
                folder_ / platform::pathFromUtf8(newRunFileName(RunFileKind::Backup));
            try {
                fileSystem_.link(move.target, backup);
                backups_.push_back(backup);
            } catch (const FileError& error) {
                if (error.error() == std::errc::file_exists) {
                    continue;
                }
                move.movedAside = true;
            }
            move.backup = backup;
        }
    }
    const auto rollBack = [&]() noexcept {
        for (Move& move : moves) {
            if (!move.done && !move.movedAside) {
                continue;
            }
            try {
                if (move.backup.empty()) {
                    fileSystem_.remove(move.target);
                } else {
                    fileSystem_.rename(move.backup, move.target);
                }
            } catch (const FileError&) {
                // The older file stays under its second name rather than being thrown away.
                std::erase(backups_, move.backup);
            }
        }
    };
    for (const OutputKind kind : kKinds) {
        const auto index = static_cast<std::size_t>(kind);
        Move& move = moves[index];
        try {
            if (move.movedAside) {
                fileSystem_.rename(move.target, move.backup);
                backups_.push_back(move.backup);
            }
            files_[index]->moveIntoPlace();
            move.done = true;
        } catch (const FileError& error) {
            rollBack();
            throw OutputSetFailure({OutputError(kind, error)});
        }
    }
}

void OutputSet::discard() noexcept {
    for (std::size_t index = 0; index < kOutputCount; ++index) {
        sinks_[index].reset();
        files_[index].reset();
    }
    removeBackups();
}

void OutputSet::removeBackups() noexcept {
    for (const std::filesystem::path& backup : backups_) {
        fileSystem_.remove(backup);
    }
    backups_.clear();
}

}  // namespace zemra
