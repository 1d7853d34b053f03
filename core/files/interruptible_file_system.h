#pragma once

#include <atomic>

#include "files/file_system.h"

namespace zemra {

// Ends a run at its next read or write once `signal` holds the number of a signal that asked the
// program to stop: the run then unwinds as from a failure and removes its temporary files.
class InterruptibleFileSystem : public FileSystem {
  public:
    InterruptibleFileSystem(FileSystem& inner, const std::atomic<int>& signal)
        : inner_(inner), signal_(signal) {}

    std::unique_ptr<ReadableFile> openForReading(const std::filesystem::path& path) override;
    std::unique_ptr<WritableFile> createNew(const std::filesystem::path& path) override;
    void rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        inner_.rename(from, to);
    }
    std::error_code link(const std::filesystem::path& existing,
                         const std::filesystem::path& alias) override {
        return inner_.link(existing, alias);
    }
    void remove(const std::filesystem::path& path) noexcept override { inner_.remove(path); }
    void syncFolder(const std::filesystem::path& folder) noexcept override {
        inner_.syncFolder(folder);
    }
    bool createFolder(const std::filesystem::path& path) override {
        return inner_.createFolder(path);
    }
    PathKind kindOf(const std::filesystem::path& path, std::error_code& error) override {
        return inner_.kindOf(path, error);
    }
    std::optional<FileIdentity> identityOf(const std::filesystem::path& path) override {
        return inner_.identityOf(path);
    }
    std::optional<std::int64_t> secondsSinceChange(const std::filesystem::path& path) override {
        return inner_.secondsSinceChange(path);
    }

  private:
    FileSystem& inner_;
    const std::atomic<int>& signal_;
};

}  // namespace zemra
