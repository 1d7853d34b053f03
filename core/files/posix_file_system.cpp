// The file operations on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "files/file_system.h"

namespace zemra {
namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

// Fails `operation` on `path` with the system's error, taken before anything can change it.
[[noreturn]] void fail(FileOperation operation, const std::filesystem::path& path) {
    const std::error_code error = lastError();
    throw FileError(operation, path, error);
}

class Descriptor {
  public:
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return descriptor_; }
    int release() { return std::exchange(descriptor_, -1); }
    // Closes now, reporting a failure of the close itself.
    std::error_code close() {
        std::error_code error;
        if (descriptor_ >= 0 && ::close(descriptor_) != 0) {
            error = lastError();
        }
        descriptor_ = -1;
        return error;
    }

  private:
    int descriptor_;
};

class PosixReadableFile : public ReadableFile {
  public:
    PosixReadableFile(int descriptor, std::uint64_t size, std::filesystem::path path)
        : descriptor_(descriptor), size_(size), path_(std::move(path)) {}

    std::size_t read(std::span<std::byte> buffer) override {
        for (;;) {
            const ssize_t count = ::read(descriptor_.get(), buffer.data(), buffer.size());
            if (count > 0) {
                total_ += static_cast<std::uint64_t>(count);
                return static_cast<std::size_t>(count);
            }
            if (count == 0) {
                if (total_ < size_ && !buffer.empty()) {
                    throw FileError(FileOperation::Read, path_, FailureReason::Shrank);
                }
                return 0;
            }
            if (errno != EINTR) {
                fail(FileOperation::Read, path_);
            }
        }
    }

    std::uint64_t expectedSize() const override { return size_; }

  private:
    Descriptor descriptor_;
    std::uint64_t size_;
    std::filesystem::path path_;
    std::uint64_t total_ = 0;
};

class PosixWritableFile : public WritableFile {
  public:
    PosixWritableFile(int descriptor, std::filesystem::path path)
        : descriptor_(descriptor), path_(std::move(path)) {}

    void write(std::span<const char> bytes) override {
        while (!bytes.empty()) {
            const ssize_t count = ::write(descriptor_.get(), bytes.data(), bytes.size());
            if (count < 0) {
                if (errno == EINTR) {
                    continue;
                }
                fail(FileOperation::Write, path_);
            }
            bytes = bytes.subspan(static_cast<std::size_t>(count));
        }
    }

    void finish() override {
        if (::fsync(descriptor_.get()) != 0) {
            fail(FileOperation::Finish, path_);
        }
        if (const std::error_code error = descriptor_.close()) {
            throw FileError(FileOperation::Finish, path_, error);
        }
    }

  private:
    Descriptor descriptor_;
    std::filesystem::path path_;
};

// flock() on the folder itself: nothing is left behind, and the system lets go of the lock when
// the process ends.
class PosixFolderLock : public FolderLock {
  public:
    explicit PosixFolderLock(int descriptor) : descriptor_(descriptor) {}

  private:
    Descriptor descriptor_;
};

// Takes the lock of an open file without waiting; false when another holds it or the file
// system has no locks.
bool tryLock(int descriptor) {
    while (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

// What `status` says the path names.
PathKind kindOfStatus(const struct stat& status) {
    if (S_ISDIR(status.st_mode)) {
        return PathKind::Folder;
    }
    return S_ISREG(status.st_mode) ? PathKind::File : PathKind::Other;
}

class PosixFileSystem : public FileSystem {
  public:
    std::unique_ptr<ReadableFile> openForReading(const std::filesystem::path& path) override {
        constexpr FileOperation kOpen = FileOperation::OpenForReading;
        // Without O_NONBLOCK, opening a FIFO would wait for a writer.
        const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (descriptor < 0) {
            const std::error_code error = lastError();
            throw FileError(
                kOpen, path,
                error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory
                    ? FailureReason::NotFound
                    : FailureReason::SystemError,
                error);
        }
        Descriptor guard(descriptor);
        struct stat status {};
        if (::fstat(descriptor, &status) != 0) {
            fail(kOpen, path);
        }
        if (S_ISDIR(status.st_mode)) {
            throw FileError(kOpen, path, FailureReason::IsFolder);
        }
        if (!S_ISREG(status.st_mode)) {
            throw FileError(kOpen, path, FailureReason::NotRegularFile);
        }
        const int flags = ::fcntl(descriptor, F_GETFL);
        if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
            fail(kOpen, path);
        }
        return std::make_unique<PosixReadableFile>(
            guard.release(), static_cast<std::uint64_t>(status.st_size), path);
    }

    std::unique_ptr<WritableFile> createNew(const std::filesystem::path& path) override {
        const int descriptor =
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
        if (descriptor < 0) {
            fail(FileOperation::Create, path);
        }
        // Where the file system has no locks the file goes unlocked, and removeUnlocked() cannot
        // lock it either, so it is never taken for a leftover.
        tryLock(descriptor);
        return std::make_unique<PosixWritableFile>(descriptor, path);
    }

    void rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        if (::rename(from.c_str(), to.c_str()) != 0) {
            fail(FileOperation::Move, to);
        }
    }

    void link(const std::filesystem::path& existing, const std::filesystem::path& alias) override {
        if (::link(existing.c_str(), alias.c_str()) != 0) {
            fail(FileOperation::Link, existing);
        }
    }

    void remove(const std::filesystem::path& path) noexcept override { ::unlink(path.c_str()); }

    bool removeUnlocked(const std::filesystem::path& path) noexcept override {
        const Descriptor descriptor(
            ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat opened {};
        if (descriptor.get() < 0 || ::fstat(descriptor.get(), &opened) != 0 ||
            !S_ISREG(opened.st_mode) || !tryLock(descriptor.get())) {
            return false;
        }
        // Only the file that was locked, should the name have moved on to another meanwhile.
        struct stat named {};
        return ::lstat(path.c_str(), &named) == 0 && named.st_dev == opened.st_dev &&
               named.st_ino == opened.st_ino && ::unlink(path.c_str()) == 0;
    }

    std::unique_ptr<FolderLock> tryLockFolder(const std::filesystem::path& folder) override {
        Descriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (descriptor.get() < 0) {
            fail(FileOperation::Lock, folder);
        }
        while (::flock(descriptor.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK) {
                return nullptr;
            }
            if (errno != EINTR) {
                fail(FileOperation::Lock, folder);
            }
        }
        return std::make_unique<PosixFolderLock>(descriptor.release());
    }

    void syncFolder(const std::filesystem::path& folder) noexcept override {
        const Descriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (descriptor.get() >= 0) {
            ::fsync(descriptor.get());
        }
    }

    void createFolder(const std::filesystem::path& path) override {
        if (::mkdir(path.c_str(), 0777) == 0) {
            return;
        }
        const std::error_code error = lastError();
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0 || kindOfStatus(status) != PathKind::Folder) {
            throw FileError(FileOperation::CreateFolder, path, error);
        }
    }

    PathKind kindOf(const std::filesystem::path& path) override {
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0) {
            if (errno == ENOENT) {
                return PathKind::Missing;
            }
            fail(FileOperation::Inspect, path);
        }
        return kindOfStatus(status);
    }

    FileIdentity identityOf(const std::filesystem::path& path) override {
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0) {
            fail(FileOperation::Inspect, path);
        }
        return FileIdentity{static_cast<std::uint64_t>(status.st_dev),
                            static_cast<std::uint64_t>(status.st_ino)};
    }

    std::vector<std::filesystem::path> namesIn(const std::filesystem::path& folder) override {
        const std::unique_ptr<DIR, int (*)(DIR*)> entries(::opendir(folder.c_str()), ::closedir);
        if (entries == nullptr) {
            fail(FileOperation::Inspect, folder);
        }
        std::vector<std::filesystem::path> names;
        for (;;) {
            errno = 0;
            const dirent* entry = ::readdir(entries.get());
            if (entry == nullptr) {
                if (errno != 0) {
                    fail(FileOperation::Inspect, folder);
                }
                return names;
            }
            const std::string_view name = entry->d_name;
            if (name != "." && name != "..") {
                names.emplace_back(name);
            }
        }
    }
};

}  // namespace

FileSystem& systemFileSystem() {
    static PosixFileSystem fileSystem;
    return fileSystem;
}

}  // namespace zemra
