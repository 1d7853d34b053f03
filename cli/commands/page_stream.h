#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "files/file_system.h"
#include "files/whole_file.h"
#include "page_output.h"

namespace zemra::cli {

// A page written as it is made: into the temporary of a WholeFile a chunk at a time, so that no
// page is ever held whole, and moved into place only once it is complete. The destination is
// checked as writePage() checks it before anything is written. A failure on the way is kept: what
// is appended after it is dropped, and finish() says why the page was not written.
class PageStream : public PageOutput {
  public:
    PageStream(std::filesystem::path page, std::span<const std::filesystem::path> runFiles,
               FileSystem& fileSystem);
    PageStream(const PageStream&) = delete;
    PageStream& operator=(const PageStream&) = delete;

    // Where the page's next bytes go; written out by flush().
    std::string& text() override { return buffer_; }
    // Writes the bytes appended so far once they fill a chunk.
    void flush() override {
        if (buffer_.size() >= kChunk) {
            writeBuffer();
        }
    }
    // Writes the rest and moves the page into place. Prints the page's path to `out`, or why it
    // was not written to `err` and returns false.
    bool finish(std::ostream& out, std::ostream& err);

  private:
    static constexpr std::size_t kChunk = std::size_t{1} << 20U;

    void writeBuffer();
    void fail(std::string reason);

    std::filesystem::path page_;
    FileSystem& fileSystem_;
    std::optional<WholeFile> file_;
    std::string buffer_;
    std::optional<std::string> failure_;
};

}  // namespace zemra::cli
