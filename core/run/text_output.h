#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace zemra {

// One text output of a conversion. Every LF written, whether from a format or from a byte of a
// part name, goes out as CR LF, the line end the tester expects.
class TextOutput {
  public:
    // An output that failed to open: everything written to it is dropped.
    static TextOutput discarding() { return TextOutput(Mode::Discard, nullptr); }
    // Keeps the whole text; read it with text().
    static TextOutput inMemory() { return TextOutput(Mode::Memory, nullptr); }
    // Writes through to an open file, which the caller closes.
    static TextOutput toFile(std::FILE* file) { return TextOutput(Mode::File, file); }

    void write(std::string_view text);
    // Hands buffered text to the file; false if any write to it failed.
    bool flush();

    bool isOpen() const { return mode_ != Mode::Discard; }
    const std::string& text() const { return buffer_; }

  private:
    enum class Mode { Discard, Memory, File };

    TextOutput(Mode mode, std::FILE* file) : mode_(mode), file_(file) {}

    Mode mode_;
    std::FILE* file_;
    std::string buffer_;
    bool failed_ = false;
};

}  // namespace zemra
