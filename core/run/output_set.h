#pragma once

#include <array>
#include <cstddef>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "files/file_system.h"
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
// cannot be opened, or the one whose write, flush or move failed.
class OutputSetFailure : public std::exception {
  public:
    explicit OutputSetFailure(std::vector<OutputError> errors) : errors_(std::move(errors)) {}
    const std::vector<OutputError>& errors() const { return errors_; }
    const char* what() const noexcept override { return errors_.front().what(); }

  private:
    std::vector<OutputError> errors_;
};

// The four outputs of a run as one set. They are written under short temporary names in the
// output folder and moved into place together: a run either replaces all four older files or
// leaves all four as they were.
class OutputSet {
  public:
    // `input` is never replaced by an output.
    OutputSet(FileSystem& fileSystem, std::filesystem::path folder, std::string title,
              std::filesystem::path input);
    ~OutputSet();
    OutputSet(const OutputSet&) = delete;
    OutputSet& operator=(const OutputSet&) = delete;

    // Opens a temporary file for each output, and removes temporary files that an earlier run
    // left behind. Throws OutputSetFailure with every output that cannot be written.
    void open();

    // Where an output's bytes go; a failed write throws OutputSetFailure.
    ByteSink& sink(OutputKind kind);

    // Puts each output on the disk and moves the four into place. When one cannot be, every
    // output already moved is taken back and OutputSetFailure is thrown for it.
    void commit();

  private:
    class Sink;

    std::filesystem::path targetOf(OutputKind kind) const;
    void openOutput(OutputKind kind);
    bool isTheInput(const std::filesystem::path& target);
    PathKind kindOrOther(const std::filesystem::path& path);
    std::filesystem::path newTemporary(std::unique_ptr<WritableFile>* file);
    void removeStaleTemporaries();
    void moveIntoPlace();
    void discard() noexcept;

    FileSystem& fileSystem_;
    std::filesystem::path folder_;
    std::string title_;
    std::filesystem::path input_;
    std::array<std::filesystem::path, kOutputCount> temporaries_;
    std::array<std::unique_ptr<WritableFile>, kOutputCount> files_;
    std::array<std::unique_ptr<Sink>, kOutputCount> sinks_;
    std::vector<std::filesystem::path> leftovers_;  // backups to remove however the run ends
    unsigned nextCounter_ = 0;
};

// Whether a file name is one of the temporary names of an output set.
bool isTemporaryName(std::string_view name);

}  // namespace zemra
