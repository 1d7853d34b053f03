#include "files/file_error.h"

#include "platform/utf8_paths.h"

namespace zemra {
namespace {

std::string reasonTextOf(FailureReason reason, std::error_code error) {
    switch (reason) {
        case FailureReason::NotFound:
            return "no such file";
        case FailureReason::IsFolder:
            return "is a folder, not a file";
        case FailureReason::NotRegularFile:
            return "is not a regular file";
        case FailureReason::IsTheInput:
            return "would replace the input file";
        case FailureReason::NotOurs:
            return "is a file that zemra did not write";
        case FailureReason::Shrank:
            return "the file grew shorter while it was read";
        case FailureReason::FolderBusy:
            return "the output folder is in use by another conversion";
        case FailureReason::SystemError:
            break;
    }
    return error.message();
}

std::string attemptOf(FileOperation operation, const std::string& path) {
    switch (operation) {
        case FileOperation::OpenForReading:
            return "cannot open " + path;
        case FileOperation::Read:
            return "cannot read " + path;
        case FileOperation::Create:
            return "cannot create " + path;
        case FileOperation::Write:
            return "cannot write " + path;
        case FileOperation::Finish:
            return "cannot finish writing " + path;
        case FileOperation::Move:
            return "cannot move a file to " + path;
        case FileOperation::Link:
            return "cannot give " + path + " a second name";
        case FileOperation::CreateFolder:
            return "cannot create the folder " + path;
        case FileOperation::Lock:
            return "cannot lock the folder " + path;
        case FileOperation::Inspect:
            break;
    }
    return "cannot look up " + path;
}

}  // namespace

FileError::FileError(FileOperation operation, std::filesystem::path path, FailureReason reason,
                     std::error_code error)
    : std::runtime_error(attemptOf(operation, platform::utf8Of(path)) + ": " +
                         reasonTextOf(reason, error)),
      operation_(operation),
      path_(std::move(path)),
      reason_(reason),
      error_(error) {}

std::string reasonText(const FileError& error) {
    return reasonTextOf(error.reason(), error.error());
}

}  // namespace zemra
