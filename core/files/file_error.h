#pragma once

#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace zemra {

enum class FailureReason {
    NotFound,        // no file of that name
    IsFolder,        // a folder where a file is wanted
    NotRegularFile,  // a FIFO, device or socket
    IsTheInput,      // an output whose name is the input file itself
    NotOurs,         // a file that zemra did not write, which it never replaces
    Shrank,          // the input grew shorter while it was read
    FolderBusy,      // another run holds the output folder's lock
    SystemError,     // the system's own error
};

// What was being done to a file when it failed.
enum class FileOperation {
    OpenForReading,
    Read,
    Create,
    Write,
    Finish,  // putting a new file's data on the disk and closing it
    Move,
    Link,  // giving a file a second name
    CreateFolder,
    Inspect,  // telling what a name stands for or its identity
    Lock,     // taking the lock of an output folder
};

// A file operation that failed: which operation, on which path, for which reason, with the
// system's own error where there is one. what() says all of it.
class FileError : public std::runtime_error {
  public:
    FileError(FileOperation operation, std::filesystem::path path, FailureReason reason,
              std::error_code error = {});
    FileError(FileOperation operation, std::filesystem::path path, std::error_code error)
        : FileError(operation, std::move(path), FailureReason::SystemError, error) {}

    FileOperation operation() const { return operation_; }
    const std::filesystem::path& path() const { return path_; }
    FailureReason reason() const { return reason_; }
    std::error_code error() const { return error_; }

  private:
    FileOperation operation_;
    std::filesystem::path path_;
    FailureReason reason_;
    std::error_code error_;
};

// Why a file operation failed, in a few words of English: the system's own text for its errors.
std::string reasonText(const FileError& error);

// The run was stopped by the operator (Ctrl+C, a termination request); `signal` says how. Not a
// std::exception, so that no handler of failures can take a request to stop for one.
class Interrupted {
  public:
    explicit Interrupted(int signal) : signal_(signal) {}
    int signal() const { return signal_; }

  private:
    int signal_;
};

}  // namespace zemra
