#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "files/file_system.h"
#include "files/run_file_names.h"
#include "files/whole_file.h"
#include "run/messages.h"

namespace zemra {

// The four outputs of a run, in the order they are opened.
enum class OutputKind { Dat, Icn, Icp, Scp };
inline constexpr std::size_t kOutputCount = 4;

std::string_view extensionOf(OutputKind kind);
MessageKind notCreatedMessage(OutputKind kind);

// An output that cannot be written: the failure of its file, and which output it is.
class OutputError : public FileError {
  public:
    OutputError(OutputKind kind, const FileError& error) : FileError(error), kind_(kind) {}
    OutputKind kind() const { return kind_; }

  private:
    OutputKind kind_;
};

// The outputs of a set that cannot be written, in the order of the outputs: every one that
// cannot be opened, or the one whose write, flush or move failed, or the listing alone when
// another run kept the folder.
class OutputSetFailure : public std::exception {
  public:
    explicit OutputSetFailure(std::vector<OutputError> errors) : errors_(std::move(errors)) {}
    const std::vector<OutputError>& errors() const { return errors_; }
    const char* what() const noexcept override { return errors_.front().what(); }

  private:
    std::vector<OutputError> errors_;
};

// The four outputs of a run as one set. They are written under temporary names of the run's own
// in the output folder and moved into place together: a run either replaces all four older files
// or leaves all four as they were. Runs of any process that write into one folder hold its lock
// while they make their temporaries and while they move them into place, so that their sets
// never mix; in between, while they write, they do not keep each other waiting.
class OutputSet {
  public:
    // `input` is never replaced by an output. The run waits at most `folderWait` each time for
    // another run to let go of the folder.
    OutputSet(FileSystem& fileSystem, std::filesystem::path folder, std::string title,
              std::filesystem::path input, std::chrono::milliseconds folderWait);
    ~OutputSet();
    OutputSet(const OutputSet&) = delete;
    OutputSet& operator=(const OutputSet&) = delete;

    // Opens a temporary file for each output, and removes the temporary files of runs that are
    // gone. Throws OutputSetFailure with every output that cannot be written.
    void open();

    // Where an output's bytes go; a failed write throws OutputSetFailure.
    ByteSink& sink(OutputKind kind);

    // Puts each output on the disk and moves the four into place, then removes the second names
    // of older outputs that runs which are gone left. When an output cannot be moved, every
    // output already moved is taken back and OutputSetFailure is thrown for it.
    void commit();

  private:
    class Sink;

    std::filesystem::path targetOf(OutputKind kind) const;
    std::unique_ptr<FolderLock> lockFolder();
    void openOutput(OutputKind kind);
    bool isTheInput(const std::filesystem::path& target);
    void moveIntoPlace();
    void removeBackups() noexcept;
    void discard() noexcept;

    FileSystem& fileSystem_;
    std::filesystem::path folder_;
    std::string title_;
    std::filesystem::path input_;
    std::chrono::milliseconds folderWait_;
    std::array<std::unique_ptr<WholeFile>, kOutputCount> files_;
    std::array<std::unique_ptr<Sink>, kOutputCount> sinks_;
    std::vector<std::filesystem::path> backups_;  // to remove however the run ends
};

}  // namespace zemra
