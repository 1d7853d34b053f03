#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <span>

#include "files/file_system.h"
#include "files/run_file_names.h"

namespace zemra {

// The one way a file is written whole: into a temporary of the run's own in the destination's
// folder, every write checked, then put on the disk and closed, and only then moved into place,
// so that the destination holds either its older file or the whole new one. The temporary is
// removed however the run stops short of the move: a failure, an exception, an interruption.
// Its name is the run's (newRunFileName()), whatever the destination's, so that any name the
// system allows for the destination works, and a run that is killed leaves a name the next run
// recognises.
class WholeFile {
  public:
    // Creates the temporary. Throws FileError when it cannot be made.
    WholeFile(FileSystem& fileSystem, std::filesystem::path destination);
    ~WholeFile();
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;

    const std::filesystem::path& destination() const { return destination_; }
    const std::filesystem::path& temporary() const { return temporary_; }
    // Where the bytes go, until finish().
    WritableFile& file() { return *file_; }

    // Puts the data on the disk and closes the temporary.
    void finish();
    // Moves the finished temporary onto the destination, after which it is no longer the run's
    // to remove.
    void moveIntoPlace();
    // Removes the temporary now.
    void discard() noexcept;

  private:
    FileSystem& fileSystem_;
    std::filesystem::path destination_;
    std::filesystem::path temporary_;  // empty once moved or removed
    std::unique_ptr<WritableFile> file_;
};

// Writes `bytes` to `destination` whole, and makes the move survive a power cut.
void writeWholeFile(FileSystem& fileSystem, const std::filesystem::path& destination,
                    std::span<const char> bytes);

// Refuses, with a FileError (Create), a destination that holds anything but a file zemra wrote
// there: one of `runFiles` (the files the run reads), a folder, a FIFO or a device, or a file that
// `isOurs` does not recognise from its content. A destination that names nothing is free.
void checkReplaceable(FileSystem& fileSystem, const std::filesystem::path& destination,
                      std::span<const std::filesystem::path> runFiles,
                      const std::function<bool(ReadableFile&)>& isOurs);

// Removes the files of `kind` in `folder` whose run is gone for certain: named by a run
// (ownerOfRunFile()), of a process of this machine that has ended, and locked by no process.
// Nothing else is ever removed. Tidying up fails no run: a folder that cannot be read is left.
void removeLeftovers(FileSystem& fileSystem, const std::filesystem::path& folder, RunFileKind kind);

}  // namespace zemra
