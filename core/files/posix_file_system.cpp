// The file operations on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <utility>

#include "files/file_system.h"

namespace zemra {
namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
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
    PosixReadableFile(int descriptor, std::uint64_t size) : descriptor_(descriptor), size_(size) {}

    std::size_t read(std::span<std::byte> buffer) override {
        for (;;) {
            const ssize_t count = ::read(descriptor_.get(), buffer.data(), buffer.size());
            if (count > 0) {
                total_ += static_cast<std::uint64_t>(count);
                return static_cast<std::size_t>(count);
            }
            if (count == 0) {
                if (total_ < size_ && !buffer.empty()) {
                    throw FileError(FailureReason::Shrank);
                }
                return 0;
            }
            if (errno != EINTR) {
                throw FileError(lastError());
            }
        }
    }

    std::uint64_t expectedSize() const override { return size_; }

  private:
    Descriptor descriptor_;
    std::uint64_t size_;
    std::uint64_t total_ = 0;
};

class PosixWritableFile : public WritableFile {
  public:
    explicit PosixWritableFile(int descriptor) : descriptor_(descriptor) {}

    void write(std::span<const char> bytes) override {
        while (!bytes.empty()) {
            const ssize_t count = ::write(descriptor_.get(), bytes.data(), bytes.size());
            if (count < 0) {
                if (errno == EINTR) {
                    continue;
                }
                throw FileError(lastError());
            }
            bytes = bytes.subspan(static_cast<std::size_t>(count));
        }
    }

    void finish() override {
        if (::fsync(descriptor_.get()) != 0) {
            throw FileError(lastError());
        }
        if (const std::error_code error = descriptor_.close()) {
            throw FileError(error);
        }
    }

  private:
    Descriptor descriptor_;
};

class PosixFileSystem : public FileSystem {
  public:
    std::unique_ptr<ReadableFile> openForReading(const std::filesystem::path& path) override {
        // Without O_NONBLOCK, opening a FIFO would wait for a writer.
        const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (descriptor < 0) {
            throw FileError(errno == ENOENT || errno == ENOTDIR ? FailureReason::NotFound
                                                                : FailureReason::SystemError,
                            lastError());
        }
        Descriptor guard(descriptor);
        struct stat status {};
        if (::fstat(descriptor, &status) != 0) {
            throw FileError(lastError());
        }
        if (S_ISDIR(status.st_mode)) {
            throw FileError(FailureReason::IsFolder);
        }
        if (!S_ISREG(status.st_mode)) {
            throw FileError(FailureReason::NotRegularFile);
        }
        const int flags = ::fcntl(descriptor, F_GETFL);
        if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
            throw FileError(lastError());
        }
        return std::make_unique<PosixReadableFile>(guard.release(),
                                                   static_cast<std::uint64_t>(status.st_size));
    }

    std::unique_ptr<WritableFile> createNew(const std::filesystem::path& path) override {
        const int descriptor =
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
        if (descriptor < 0) {
            throw FileError(lastError());
        }
        return std::make_unique<PosixWritableFile>(descriptor);
    }

    void rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        if (::rename(from.c_str(), to.c_str()) != 0) {
            throw FileError(lastError());
        }
    }

    std::error_code link(const std::filesystem::path& existing,
                         const std::filesystem::path& alias) override {
        return ::link(existing.c_str(), alias.c_str()) == 0 ? std::error_code() : lastError();
    }

    void remove(const std::filesystem::path& path) noexcept override { ::unlink(path.c_str()); }

    void syncFolder(const std::filesystem::path& folder) noexcept override {
        const Descriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (descriptor.get() >= 0) {
            ::fsync(descriptor.get());
        }
    }

    bool createFolder(const std::filesystem::path& path) override {
        ::mkdir(path.c_str(), 0777);
        std::error_code error;
        return kindOf(path, error) == PathKind::Folder;
    }

    PathKind kindOf(const std::filesystem::path& path, std::error_code& error) override {
        error.clear();
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0) {
            if (errno == ENOENT) {
                return PathKind::Missing;
            }
            error = lastError();
            return PathKind::Other;
        }
        if (S_ISDIR(status.st_mode)) {
            return PathKind::Folder;
        }
        return S_ISREG(status.st_mode) ? PathKind::File : PathKind::Other;
    }

    std::optional<FileIdentity> identityOf(const std::filesystem::path& path) override {
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0) {
            return std::nullopt;
        }
        return FileIdentity{static_cast<std::uint64_t>(status.st_dev),
                            static_cast<std::uint64_t>(status.st_ino)};
    }

    std::optional<std::int64_t> secondsSinceChange(const std::filesystem::path& path) override {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0) {
            return std::nullopt;
        }
        // The status change time also moves when a file gets a new name.
        return static_cast<std::int64_t>(std::time(nullptr)) -
               static_cast<std::int64_t>(std::max(status.st_ctime, status.st_mtime));
    }
};

}  // namespace

FileSystem& systemFileSystem() {
    static PosixFileSystem fileSystem;
    return fileSystem;
}

}  // namespace zemra
