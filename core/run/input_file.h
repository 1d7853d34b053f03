#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "files/file_system.h"

namespace zemra {

// The title of a file: its name without folder, up to its last "." when it has one; UTF-8.
std::string fileTitle(const std::filesystem::path& path);

// The folder that holds a file, worked out from its absolute path so that a bare name gives the
// current folder; the outputs of a file go there when no other folder is named.
std::filesystem::path folderOfInput(const std::filesystem::path& path);

// A component file to convert: its path, and the file itself once it is open. The dialog opens
// it when the operator chooses it and keeps it open until Convert; a conversion opens it when it
// is not open yet.
class InputFile {
  public:
    explicit InputFile(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& path() const { return path_; }
    std::string title() const { return fileTitle(path_); }

    bool isOpen() const { return file_ != nullptr; }
    // Opens the file unless it is open. Throws FileError when it does not exist, is a folder or a
    // special file, or cannot be opened.
    void open(FileSystem& fileSystem);
    // The open file's bytes.
    ReadableFile& records() { return *file_; }

  private:
    std::filesystem::path path_;
    std::unique_ptr<ReadableFile> file_;
};

}  // namespace zemra
