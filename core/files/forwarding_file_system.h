#pragma once

#include "files/file_system.h"

namespace zemra {

// Hands every operation to another file system: the base of a file system that changes a few
// operations of the one it wraps and passes the rest on.
class ForwardingFileSystem : public FileSystem {
  public:
    explicit ForwardingFileSystem(FileSystem& inner) : inner_(inner) {}

    std::unique_ptr<ReadableFile> openForReading(const std::filesystem::path& path) override {
        return inner_.openForReading(path);
    }
    std::unique_ptr<WritableFile> createNew(const std::filesystem::path& path) override {
        return inner_.createNew(path);
    }
    void rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        inner_.rename(from, to);
    }
    void link(const std::filesystem::path& existing, const std::filesystem::path& alias) override {
        inner_.link(existing, alias);
    }
    void remove(const std::filesystem::path& path) noexcept override { inner_.remove(path); }
    bool removeUnlocked(const std::filesystem::path& path) noexcept override {
        return inner_.removeUnlocked(path);
    }
    std::unique_ptr<FolderLock> tryLockFolder(const std::filesystem::path& folder) override {
        return inner_.tryLockFolder(folder);
    }
    void syncFolder(const std::filesystem::path& folder) noexcept override {
        inner_.syncFolder(folder);
    }
    void createFolder(const std::filesystem::path& path) override { inner_.createFolder(path); }
    PathKind kindOf(const std::filesystem::path& path) override { return inner_.kindOf(path); }
    FileIdentity identityOf(const std::filesystem::path& path) override {
        return inner_.identityOf(path);
    }
    std::vector<std::filesystem::path> namesIn(const std::filesystem::path& folder) override {
        return inner_.namesIn(folder);
    }

  protected:
    FileSystem& inner() { return inner_; }

  private:
    FileSystem& inner_;
};

}  // namespace zemra
