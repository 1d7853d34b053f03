#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "files/file_system.h"

namespace zemra::testing {

// Where the system's file operations are to fail. New files count in the order they are created:
// a run creates its .dat, .icn, .icp and .scp in that order.
struct Faults {
    std::optional<std::uint64_t> readFailsAfter;  // bytes of input delivered before EIO
    bool inputShrinks = false;          // the input loses its second half after the first read
    std::optional<int> writeFailsIn;    // the new file whose writes fail with ENOSPC
    std::uint64_t writeFailsAfter = 0;  // bytes that file takes first
    std::optional<int> finishFailsIn;   // the new file whose flush to disk fails with EIO
    std::optional<std::string> renameFailsInto;    // the first move onto this name fails with EIO
    bool noSecondNames = false;                    // the system cannot link a second name to a file
    std::optional<std::int64_t> ageOfTemporaries;  // seconds, for files named as temporaries
};

// The system's file operations, failing as `faults` says, and counting what was asked of them.
class FaultyFileSystem : public FileSystem {
  public:
    explicit FaultyFileSystem(Faults faults) : faults_(std::move(faults)) {}

    std::unique_ptr<ReadableFile> openForReading(const std::filesystem::path& path) override;
    std::unique_ptr<WritableFile> createNew(const std::filesystem::path& path) override;
    void rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    std::error_code link(const std::filesystem::path& existing,
                         const std::filesystem::path& alias) override;
    void remove(const std::filesystem::path& path) noexcept override { system().remove(path); }
    void syncFolder(const std::filesystem::path& folder) noexcept override {
        system().syncFolder(folder);
    }
    bool createFolder(const std::filesystem::path& path) override {
        return system().createFolder(path);
    }
    PathKind kindOf(const std::filesystem::path& path, std::error_code& error) override {
        return system().kindOf(path, error);
    }
    std::optional<FileIdentity> identityOf(const std::filesystem::path& path) override {
        return system().identityOf(path);
    }
    std::optional<std::int64_t> secondsSinceChange(const std::filesystem::path& path) override;

    // Writes asked for after a write had failed.
    int writesAfterFailure() const { return writesAfterFailure_; }

  private:
    static FileSystem& system() { return systemFileSystem(); }

    friend class FaultyWritableFile;

    Faults faults_;
    int created_ = 0;
    bool writeFailed_ = false;
    bool renameFailed_ = false;
    int writesAfterFailure_ = 0;
};

}  // namespace zemra::testing
