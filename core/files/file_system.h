#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "files/file_error.h"
#include "io/byte_sink.h"
#include "io/byte_source.h"

namespace zemra {

// A component file open for reading. It fails with FileError when a read fails, and when it ends
// before the size it had when it was opened.
class ReadableFile : public ByteSource {};

// A new file being written. Every write is checked; finish() puts the data on the disk and
// closes the file, and only then is the file complete.
class WritableFile : public ByteSink {
  public:
    virtual void finish() = 0;
};

enum class PathKind { Missing, File, Folder, Other };

// The lock that keeps the runs writing into one folder apart, held while this object lives. The
// system lets go of it when the process ends, however it ends, so that a run that was killed
// keeps no other run waiting.
class FolderLock {
  public:
    virtual ~FolderLock() = default;
};

// What tells one file from every other, whatever name it is reached by.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The file operations of a conversion run. The system's own is systemFileSystem(); tests put
// one in between that fails where they want. An operation that fails throws FileError, which says
// what was done to which path and why; only remove(), removeUnlocked() and syncFolder() report
// nothing, since they tidy up, also while a failure unwinds.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Opens a regular file for reading. Folders and special files are refused before anything
    // is read, without waiting for a FIFO's writer.
    virtual std::unique_ptr<ReadableFile> openForReading(const std::filesystem::path& path) = 0;
    // Creates a file that did not exist, locked while it is open so that removeUnlocked() leaves
    // it alone; the error is EEXIST when it does.
    virtual std::unique_ptr<WritableFile> createNew(const std::filesystem::path& path) = 0;
    // Moves `from` to `to`, replacing whatever file `to` named.
    virtual void rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Gives `existing` the second name `alias`; the error is EEXIST when that name is taken.
    virtual void link(const std::filesystem::path& existing,
                      const std::filesystem::path& alias) = 0;
    virtual void remove(const std::filesystem::path& path) noexcept = 0;
    // Removes a file that no process holds the lock of: one made by createNew() whose run is
    // gone. Whether it was removed.
    virtual bool removeUnlocked(const std::filesystem::path& path) noexcept = 0;
    // Takes the lock of `folder` without waiting; nullptr when another run holds it. Throws
    // FileError where the folder cannot be locked: a file system without locks, say.
    virtual std::unique_ptr<FolderLock> tryLockFolder(const std::filesystem::path& folder) = 0;
    // Makes the names given in `folder` survive a power cut, where the system can.
    virtual void syncFolder(const std::filesystem::path& folder) noexcept = 0;
    // Creates a folder; nothing to do when `path` is a folder already.
    virtual void createFolder(const std::filesystem::path& path) = 0;
    // What `path` names; Missing when it names nothing.
    virtual PathKind kindOf(const std::filesystem::path& path) = 0;
    virtual FileIdentity identityOf(const std::filesystem::path& path) = 0;
    // The names of the entries of `folder`, without "." and "..", in no set order.
    virtual std::vector<std::filesystem::path> namesIn(const std::filesystem::path& folder) = 0;
};

FileSystem& systemFileSystem();

}  // namespace zemra
