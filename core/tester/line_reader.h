#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/byte_source.h"

namespace zemra {

// The lines of a text file, read a block at a time, each without its line end: CR LF or LF,
// as it comes line by line. A last line without a line end counts as a line.
class LineReader {
  public:
    LineReader(ByteSource& input, std::string fileName);

    // The next line, none after the last; it stays until the next call. A line longer than any
    // that a tester file holds is refused.
    std::optional<std::string_view> next();

    // The number of the line that next() gave last.
    std::uint64_t lineNumber() const { return line_; }
    const std::string& fileName() const { return fileName_; }

    // Refuses the file at `column` of the current line.
    [[noreturn]] void refuse(std::size_t column, const std::string& expected) const;
    // Refuses the file where it ends.
    [[noreturn]] void refuseEnd(const std::string& expected) const;

  private:
    bool fill();

    static constexpr std::size_t kLongestLine = std::size_t{1} << 16;
    static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

    ByteSource& input_;
    std::string fileName_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    std::uint64_t line_ = 0;
};

}  // namespace zemra
