#pragma once

#include <atomic>

#include "files/forwarding_file_system.h"

namespace zemra {

// Ends a run at its next read or write, or while it waits for its output folder, once `signal`
// holds the number of a signal that asked the program to stop: the run then unwinds as from a
// failure and removes its temporary files.
class InterruptibleFileSystem : public ForwardingFileSystem {
  public:
    InterruptibleFileSystem(FileSystem& inner, const std::atomic<int>& signal)
        : ForwardingFileSystem(inner), signal_(signal) {}

    std::unique_ptr<ReadableFile> openForReading(const std::filesystem::path& path) override;
    std::unique_ptr<WritableFile> createNew(const std::filesystem::path& path) override;
    std::unique_ptr<FolderLock> tryLockFolder(const std::filesystem::path& folder) override;

  private:
    const std::atomic<int>& signal_;
};

}  // namespace zemra
