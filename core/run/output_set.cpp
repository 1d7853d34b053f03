#include "run/output_set.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

#include "platform/utf8_paths.h"

namespace zemra {
namespace {

// Temporary names are this prefix and eight hex digits of a counter: eleven bytes, however long
// the title, so wherever the outputs' own names fit the temporaries fit too.
constexpr std::string_view kTemporaryPrefix = ".zt";
// The second name of an older output while the new set moves in. It holds the only copy of the
// older file when a move fails and the file cannot be put back, so it is never removed as stale.
constexpr std::string_view kBackupPrefix = ".zb";
constexpr std::size_t kCounterDigits = 8;
constexpr unsigned kNameAttempts = 10000;
// A temporary file of our naming this old is left from a run that was killed.
constexpr std::int64_t kStaleSeconds = 10 * 60;

constexpr std::array<OutputKind, kOutputCount> kKinds{OutputKind::Dat, OutputKind::Icn,
                                                      OutputKind::Icp, OutputKind::Scp};

std::string counterName(std::string_view prefix, unsigned counter) {
    std::array<char, kCounterDigits> digits{};
    digits.fill('0');
    std::array<char, kCounterDigits> hex{};
    const auto result = std::to_chars(hex.data(), hex.data() + hex.size(), counter, 16);
    const auto length = static_cast<std::size_t>(result.ptr - hex.data());
    std::copy(hex.data(), hex.data() + length, digits.data() + kCounterDigits - length);
    return std::string(prefix) + std::string(digits.data(), digits.size());
}

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

bool isTemporaryName(std::string_view name) {
    return name.size() == kTemporaryPrefix.size() + kCounterDigits &&
           name.starts_with(kTemporaryPrefix) &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(kTemporaryPrefix.size()),
                       name.end(), [](char digit) {
                           return (digit >= '0' && digit <= '9') || (digit >= 'a' && digit <= 'f');
                       });
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
                     std::filesystem::path input)
    : fileSystem_(fileSystem),
      folder_(std::move(folder)),
      title_(std::move(title)),
      input_(std::move(input)) {}

OutputSet::~OutputSet() {
    discard();
}

std::filesystem::path OutputSet::targetOf(OutputKind kind) const {
    return folder_ / platform::pathFromUtf8(title_ + std::string(extensionOf(kind)));
}

std::filesystem::path OutputSet::newTemporary(std::unique_ptr<WritableFile>* file) {
    for (unsigned attempt = 0;; ++attempt) {
        const std::filesystem::path path = folder_ / counterName(kTemporaryPrefix, nextCounter_++);
        try {
            *file = fileSystem_.createNew(path);
            return path;
        } catch (const FileError& error) {
            if (error.error() != std::errc::file_exists || attempt + 1 == kNameAttempts) {
                throw;
            }
        }
    }
}

// A name that cannot be looked at counts as taken by something other than a file or a folder.
PathKind OutputSet::kindOrOther(const std::filesystem::path& path) {
    try {
        return fileSystem_.kindOf(path);
    } catch (const FileError&) {
        return PathKind::Other;
    }
}

// An input that cannot be reached now is in no output's way.
bool OutputSet::isTheInput(const std::filesystem::path& target) {
    try {
        return fileSystem_.identityOf(target) == fileSystem_.identityOf(input_);
    } catch (const FileError&) {
        return false;
    }
}

void OutputSet::removeStaleTemporaries() {
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder_, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::filesystem::path& path = entry->path();
        if (!isTemporaryName(platform::utf8Of(path.filename()))) {
            continue;
        }
        try {
            if (fileSystem_.secondsSinceChange(path) > kStaleSeconds) {
                fileSystem_.remove(path);
            }
        } catch (const FileError&) {
            // A file whose age cannot be told may belong to a run that is still going.
        }
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
    temporaries_[index] = newTemporary(&files_[index]);
    sinks_[index] = std::make_unique<Sink>(kind, *files_[index]);
}

void OutputSet::open() {
    removeStaleTemporaries();
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

void OutputSet::commit() {
    for (const OutputKind kind : kKinds) {
        try {
            files_[static_cast<std::size_t>(kind)]->finish();
        } catch (const FileError& error) {
            throw OutputSetFailure({OutputError(kind, error)});
        }
    }
    moveIntoPlace();
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
        if (kindOrOther(move.target) != PathKind::File) {
            continue;
        }
        for (unsigned attempt = 0; attempt < kNameAttempts && move.backup.empty(); ++attempt) {
            const std::filesystem::path backup =
                folder_ / counterName(kBackupPrefix, nextCounter_++);
            if (kindOrOther(backup) != PathKind::Missing) {
                continue;
            }
            try {
                fileSystem_.link(move.target, backup);
                leftovers_.push_back(backup);
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
                std::erase(leftovers_, move.backup);
            }
        }
    };
    for (const OutputKind kind : kKinds) {
        const auto index = static_cast<std::size_t>(kind);
        Move& move = moves[index];
        try {
            if (move.movedAside) {
                fileSystem_.rename(move.target, move.backup);
                leftovers_.push_back(move.backup);
            }
            fileSystem_.rename(temporaries_[index], move.target);
            move.done = true;
            temporaries_[index].clear();
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
        if (!temporaries_[index].empty()) {
            fileSystem_.remove(temporaries_[index]);
            temporaries_[index].clear();
        }
    }
    for (const std::filesystem::path& leftover : leftovers_) {
        fileSystem_.remove(leftover);
    }
    leftovers_.clear();
}

}  // namespace zemra
