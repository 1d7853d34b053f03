#pragma once

#include <filesystem>
#include <memory>

#include "files/file_error.h"
#include "files/file_system.h"
#include "io/byte_source.h"
#include "run/messages.h"

namespace zemra::cli {

// What a revision's file throws when it cannot be read: which file, and why.
struct RevisionUnreadable {
    std::filesystem::path input;
    MessageKind kind;  // FileMissing or FileUnreadable
    FileError error;
};

// A revision's file that names itself when it cannot be read.
class RevisionFile : public ByteSource {
  public:
    RevisionFile(std::unique_ptr<ReadableFile> file, std::filesystem::path input)
        : file_(std::move(file)), input_(std::move(input)) {}

    std::size_t read(std::span<std::byte> buffer) override {
        try {
            return file_->read(buffer);
        } catch (const FileError& error) {
            throw RevisionUnreadable{input_, MessageKind::FileUnreadable, error};
        }
    }
    std::uint64_t expectedSize() const override { return file_->expectedSize(); }

  private:
    std::unique_ptr<ReadableFile> file_;
    std::filesystem::path input_;
};

// Opens a revision's file; what cannot be opened or read throws RevisionUnreadable.
std::unique_ptr<ByteSource> openRevisionFile(const std::filesystem::path& input,
                                             FileSystem& fileSystem);

}  // namespace zemra::cli
