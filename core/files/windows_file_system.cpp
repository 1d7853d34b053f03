// The file operations on Windows, through the wide-character API so that every name works.
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string_view>
#include <utility>

#include "files/file_system.h"

namespace zemra {
namespace {

// Errors as their C library counterparts where there is one, so that a reason reads the same on
// every system; the rest as Windows errors.
std::error_code errorFrom(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return std::make_error_code(std::errc::no_such_file_or_directory);
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return std::make_error_code(std::errc::permission_denied);
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return std::make_error_code(std::errc::file_exists);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return std::make_error_code(std::errc::no_space_on_device);
        case ERROR_FILENAME_EXCED_RANGE:
            return std::make_error_code(std::errc::filename_too_long);
        case ERROR_WRITE_PROTECT:
            return std::make_error_code(std::errc::read_only_file_system);
        case ERROR_NOT_SAME_DEVICE:
            return std::make_error_code(std::errc::cross_device_link);
        default:
            return {static_cast<int>(code), std::system_category()};
    }
}

std::error_code lastError() {
    return errorFrom(GetLastError());
}

// Fails `operation` on `path` with the system's error, taken before anything can change it.
[[noreturn]] void fail(FileOperation operation, const std::filesystem::path& path) {
    const std::error_code error = lastError();
    throw FileError(operation, path, error);
}

// The path in the form that lifts the 260-character limit of Windows paths ("\\?\C:\..."), so
// that every name that fits its folder works: absolute, with backslashes and without "." or "..",
// which that form takes literally.
std::wstring extended(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) {
        return path.native();
    }
    std::wstring text = absolute.lexically_normal().make_preferred().native();
    if (text.starts_with(L"\\\\?\\")) {
        return text;
    }
    if (text.starts_with(L"\\\\")) {
        return L"\\\\?\\UNC\\" + text.substr(2);
    }
    return L"\\\\?\\" + text;
}

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
    std::error_code close() {
        std::error_code error;
        if (valid() && CloseHandle(handle_) == 0) {
            error = lastError();
        }
        handle_ = INVALID_HANDLE_VALUE;
        return error;
    }

  private:
    HANDLE handle_;
};

// ReadFile and WriteFile take at most this much at once.
constexpr std::size_t kLargestTransfer = 1U << 30U;

class WindowsReadableFile : public ReadableFile {
  public:
    WindowsReadableFile(HANDLE handle, std::uint64_t size, std::filesystem::path path)
        : handle_(handle), size_(size), path_(std::move(path)) {}

    std::size_t read(std::span<std::byte> buffer) override {
        DWORD count = 0;
        const auto wanted = static_cast<DWORD>(std::min(buffer.size(), kLargestTransfer));
        if (ReadFile(handle_.get(), buffer.data(), wanted, &count, nullptr) == 0) {
            fail(FileOperation::Read, path_);
        }
        if (count == 0 && total_ < size_ && !buffer.empty()) {
            throw FileError(FileOperation::Read, path_, FailureReason::Shrank);
        }
        total_ += count;
        return count;
    }

    std::uint64_t expectedSize() const override { return size_; }

  private:
    Handle handle_;
    std::uint64_t size_;
    std::filesystem::path path_;
    std::uint64_t total_ = 0;
};

class WindowsWritableFile : public WritableFile {
  public:
    WindowsWritableFile(HANDLE handle, std::filesystem::path path)
        : handle_(handle), path_(std::move(path)) {}

    void write(std::span<const char> bytes) override {
        while (!bytes.empty()) {
            DWORD count = 0;
            const auto wanted = static_cast<DWORD>(std::min(bytes.size(), kLargestTransfer));
            if (WriteFile(handle_.get(), bytes.data(), wanted, &count, nullptr) == 0) {
                fail(FileOperation::Write, path_);
            }
            bytes = bytes.subspan(count);
        }
    }

    void finish() override {
        if (FlushFileBuffers(handle_.get()) == 0) {
            fail(FileOperation::Finish, path_);
        }
        if (const std::error_code error = handle_.close()) {
            throw FileError(FileOperation::Finish, path_, error);
        }
    }

  private:
    Handle handle_;
    std::filesystem::path path_;
};

BY_HANDLE_FILE_INFORMATION informationOf(const std::filesystem::path& path) {
    const Handle handle(CreateFileW(extended(path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!handle.valid() || GetFileInformationByHandle(handle.get(), &information) == 0) {
        fail(FileOperation::Inspect, path);
    }
    return information;
}

// A name with a wildcard or another character no file name can hold names nothing.
bool namesNothing(DWORD code) {
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ||
           code == ERROR_INVALID_NAME;
}

// What `path` names by its attributes; nothing when the system cannot tell, and `failure` then
// holds why.
std::optional<PathKind> kindByAttributes(const std::filesystem::path& path, DWORD& failure) {
    const DWORD attributes = GetFileAttributesW(extended(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        failure = GetLastError();
        if (namesNothing(failure)) {
            return PathKind::Missing;
        }
        return std::nullopt;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return PathKind::Folder;
    }
    return (attributes & FILE_ATTRIBUTE_DEVICE) != 0 ? PathKind::Other : PathKind::File;
}

// The lock of an output folder is a file in it that only one handle can have open at a time,
// deleted when that handle closes, which the system does when the process ends, however it ends.
// It names itself, so that one a power cut left behind can be told from a file of the user's.
constexpr std::wstring_view kLockName = L".zemra-lock";
constexpr std::string_view kLockText = "zemra: a conversion is writing into this folder\r\n";

class WindowsFolderLock : public FolderLock {
  public:
    explicit WindowsFolderLock(HANDLE handle) : handle_(handle) {}

  private:
    Handle handle_;
};

// Whether `path` names something, also something that is being deleted.
bool namesSomething(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ||
           !namesNothing(GetLastError());
}

// Takes over the lock file that a run left when the power went: only a file holding the lock's
// own text, which is then deleted when the lock is let go. nullptr while another run holds it.
std::unique_ptr<FolderLock> takeOverLockFile(const std::wstring& path,
                                             const std::filesystem::path& folder) {
    Handle handle(CreateFileW(path.c_str(), GENERIC_READ | DELETE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.valid()) {
        const DWORD code = GetLastError();
        if (code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED || namesNothing(code)) {
            return nullptr;
        }
        throw FileError(FileOperation::Lock, folder, errorFrom(code));
    }
    std::string text(kLockText.size() + 1, '\0');
    DWORD count = 0;
    const bool ours = ReadFile(handle.get(), text.data(), static_cast<DWORD>(text.size()), &count,
                               nullptr) != 0 &&
                      std::string_view(text.data(), count) == kLockText;
    FILE_DISPOSITION_INFO deleteOnClose{TRUE};
    if (!ours || SetFileInformationByHandle(handle.get(), FileDispositionInfo, &deleteOnClose,
                                            sizeof(deleteOnClose)) == 0) {
        throw FileError(FileOperation::Lock, folder, std::make_error_code(std::errc::file_exists));
    }
    return std::make_unique<WindowsFolderLock>(handle.release());
}

class WindowsFileSystem : public FileSystem {
  public:
    std::unique_ptr<ReadableFile> openForReading(const std::filesystem::path& path) override {
        constexpr FileOperation kOpen = FileOperation::OpenForReading;
        DWORD failure = 0;
        const std::optional<PathKind> kind = kindByAttributes(path, failure);
        if (kind == PathKind::Missing) {
            throw FileError(kOpen, path, FailureReason::NotFound,
                            std::make_error_code(std::errc::no_such_file_or_directory));
        }
        if (kind == PathKind::Folder) {
            throw FileError(kOpen, path, FailureReason::IsFolder);
        }
        Handle handle(CreateFileW(extended(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!handle.valid()) {
            const DWORD code = GetLastError();
            throw FileError(kOpen, path,
                            code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND
                                ? FailureReason::NotFound
                                : FailureReason::SystemError,
                            errorFrom(code));
        }
        // Pipes, consoles and devices such as NUL are no component files.
        if (GetFileType(handle.get()) != FILE_TYPE_DISK) {
            throw FileError(kOpen, path, FailureReason::NotRegularFile);
        }
        LARGE_INTEGER size{};
        if (GetFileSizeEx(handle.get(), &size) == 0) {
            fail(kOpen, path);
        }
        return std::make_unique<WindowsReadableFile>(
            handle.release(), static_cast<std::uint64_t>(size.QuadPart), path);
    }

    // Shared for reading only: while the file is open, no other process can delete it.
    std::unique_ptr<WritableFile> createNew(const std::filesystem::path& path) override {
        const HANDLE handle = CreateFileW(extended(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                          nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            fail(FileOperation::Create, path);
        }
        return std::make_unique<WindowsWritableFile>(handle, path);
    }

    void rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        if (MoveFileExW(extended(from).c_str(), extended(to).c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
            fail(FileOperation::Move, to);
        }
    }

    void link(const std::filesystem::path& existing, const std::filesystem::path& alias) override {
        if (CreateHardLinkW(extended(alias).c_str(), extended(existing).c_str(), nullptr) == 0) {
            fail(FileOperation::Link, existing);
        }
    }

    void remove(const std::filesystem::path& path) noexcept override {
        DeleteFileW(extended(path).c_str());
    }

    // A file that its run still has open is not shared for deleting, and stays.
    bool removeUnlocked(const std::filesystem::path& path) noexcept override {
        return DeleteFileW(extended(path).c_str()) != 0;
    }

    std::unique_ptr<FolderLock> tryLockFolder(const std::filesystem::path& folder) override {
        const std::wstring path = extended(folder / kLockName);
        Handle handle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE,
                                  nullptr));
        if (handle.valid()) {
            // The text only tells a lock file left by a power cut from a file of the user's.
            DWORD count = 0;
            WriteFile(handle.get(), kLockText.data(), static_cast<DWORD>(kLockText.size()), &count,
                      nullptr);
            return std::make_unique<WindowsFolderLock>(handle.release());
        }
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) {
            return takeOverLockFile(path, folder);
        }
        // A lock file being deleted cannot be opened for a moment.
        if (code == ERROR_SHARING_VIOLATION ||
            (code == ERROR_ACCESS_DENIED && namesSomething(path))) {
            return nullptr;
        }
        throw FileError(FileOperation::Lock, folder, errorFrom(code));
    }

    // Moves are written through to the disk already.
    void syncFolder(const std::filesystem::path& /*folder*/) noexcept override {}

    void createFolder(const std::filesystem::path& path) override {
        if (CreateDirectoryW(extended(path).c_str(), nullptr) != 0) {
            return;
        }
        const std::error_code error = lastError();
        DWORD failure = 0;
        if (kindByAttributes(path, failure) != PathKind::Folder) {
            throw FileError(FileOperation::CreateFolder, path, error);
        }
    }

    PathKind kindOf(const std::filesystem::path& path) override {
        DWORD failure = 0;
        if (const std::optional<PathKind> kind = kindByAttributes(path, failure)) {
            return *kind;
        }
        throw FileError(FileOperation::Inspect, path, errorFrom(failure));
    }

    FileIdentity identityOf(const std::filesystem::path& path) override {
        const BY_HANDLE_FILE_INFORMATION information = informationOf(path);
        return FileIdentity{information.dwVolumeSerialNumber,
                            (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32U) |
                                information.nFileIndexLow};
    }

    std::vector<std::filesystem::path> namesIn(const std::filesystem::path& folder) override {
        WIN32_FIND_DATAW entry{};
        const HANDLE search = FindFirstFileW(extended(folder / L"*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE) {
            throw FileError(FileOperation::Inspect, folder, errorFrom(GetLastError()));
        }
        std::vector<std::filesystem::path> names;
        do {
            const std::wstring_view name = entry.cFileName;
            if (name != L"." && name != L"..") {
                names.emplace_back(name);
            }
        } while (FindNextFileW(search, &entry));
        const DWORD code = GetLastError();
        FindClose(search);
        if (code != ERROR_NO_MORE_FILES) {
            throw FileError(FileOperation::Inspect, folder, errorFrom(code));
        }
        return names;
    }
};

}  // namespace

FileSystem& systemFileSystem() {
    static WindowsFileSystem fileSystem;
    return fileSystem;
}

}  // namespace zemra
