#pragma once

#include <exception>
#include <system_error>

namespace zemra {

enum class FailureReason {
    NotFound,        // no file of that name
    IsFolder,        // a folder where a file is wanted
    NotRegularFile,  // a FIFO, device or socket
    IsTheInput,      // an output whose name is the input file itself
    Shrank,          // the input grew shorter while it was read
    SystemError,     // the system's own error
};

// A file operation that failed, and why.
class FileError : public std::exception {
  public:
    explicit FileError(FailureReason reason, std::error_code error = {})
        : reason_(reason), error_(error) {}
    explicit FileError(std::error_code error) : FileError(FailureReason::SystemError, error) {}

    FailureReason reason() const { return reason_; }
    std::error_code error() const { return error_; }
    const char* what() const noexcept override { return "file operation failed"; }

  private:
    FailureReason reason_;
    std::error_code error_;
};

// The run was stopped by the operator (Ctrl+C, a termination request); `signal` says how.
class Interrupted : public std::exception {
  public:
    explicit Interrupted(int signal) : signal_(signal) {}
    int signal() const { return signal_; }
    const char* what() const noexcept override { return "interrupted"; }

  private:
    int signal_;
};

}  // namespace zemra
