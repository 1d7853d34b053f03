#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "files/forwarding_file_system.h"

namespace zemra::testing {

// Where the system's file operations are to fail. New files count in the order they are created:
// a run creates its .dat, .icn, .icp and .scp in that order.
struct Faults {
    std::optional<std::uint64_t> readFailsAfter;  // bytes of the input (the first file opened)
                                                  // delivered before EIO
    bool inputShrinks = false;          // the input loses its second half after the first read
    std::optional<int> writeFailsIn;    // the new file whose writes fail with ENOSPC
    std::uint64_t writeFailsAfter = 0;  // bytes that file takes first
    std::optional<int> finishFailsIn;   // the new file whose flush to disk fails with EIO
    std::optional<std::string> renameFailsInto;  // the first move onto this name fails with EIO
    bool noSecondNames = false;                  // the system cannot link a second name to a file
    bool noLocks = false;                        // the file system cannot lock a folder
    // Called before each move with the name moved onto: a run held up half-way through its moves.
    std::function<void(const std::filesystem::path& to)> beforeMove;
};

// The system's file operations, failing as `faults` says, and counting what was asked of them.
class FaultyFileSystem : public ForwardingFileSystem {
  public:
    explicit FaultyFileSystem(Faults faults)
        : ForwardingFileSystem(systemFileSystem()), faults_(std::move(faults)) {}

    std::unique_ptr<ReadableFile> openForReading(const std::filesystem::path& path) override;
    std::unique_ptr<WritableFile> createNew(const std::filesystem::path& path) override;
    void rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    void link(const std::filesystem::path& existing, const std::filesystem::path& alias) override;
    std::unique_ptr<FolderLock> tryLockFolder(const std::filesystem::path& folder) override;

    // Writes asked for after a write had failed.
    int writesAfterFailure() const { return writesAfterFailure_; }

  private:
    friend class FaultyWritableFile;

    Faults faults_;
    int created_ = 0;
    int opened_ = 0;
    bool writeFailed_ = false;
    bool renameFailed_ = false;
    int writesAfterFailure_ = 0;
};

}  // namespace zemra::testing
