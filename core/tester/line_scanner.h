#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "decode/listing_columns.h"
#include "tester/line_reader.h"

namespace zemra {

// Reads the fields of one line from left to right, each as exactly what its printf conversion
// prints for some value: a number right-aligned in its minimum width with no other padding, no
// leading zero and no "-0" of a whole number. Anything else refuses the file where it stands.
class LineScanner {
  public:
    // `line` may be a piece of the file's line that begins at byte column `firstColumn`.
    LineScanner(std::string_view line, const LineReader& reader, std::size_t firstColumn = 1)
        : line_(line), reader_(reader), offset_(firstColumn - 1) {}

    // Fixed text of the format.
    void literal(std::string_view text, std::string_view what) {
        if (!follows(text)) {
            refuse(column(), what);
        }
        position_ += text.size();
    }
    // The fixed text before a column.
    void lead(std::string_view text, std::string_view heading) {
        if (!follows(text)) {
            refuseLead(text, heading);
        }
        position_ += text.size();
    }
    // "%Nd" of a whole number from `least` to `most`.
    std::int64_t integer(std::size_t width, std::string_view what, std::int64_t least,
                         std::int64_t most);
    // "%N.1f" or "%N.2f".
    ListedDecimal decimal(std::size_t width, int decimals, std::string_view what);
    // "%Ns" of a text without blanks, right-aligned.
    std::string_view rightAligned(std::size_t width, std::string_view what);
    // The next `count` bytes as they are.
    std::string_view bytes(std::size_t count, std::string_view what);
    // What is left of the line.
    std::string_view rest() const { return line_.substr(position_); }
    bool atEnd() const { return position_ == line_.size(); }
    void end();

    // The byte column of the next field, counted from 1.
    std::size_t column() const { return offset_ + position_ + 1; }
    [[noreturn]] void refuse(std::size_t column, std::string_view what) const;

  private:
    // Whether `text` comes next. The texts are a few bytes, mostly blanks: compared here, byte by
    // byte, rather than by a call to memcmp for each column of a million lines.
    bool follows(std::string_view text) const {
        if (line_.size() - position_ < text.size()) {
            return false;
        }
        const char* next = line_.data() + position_;
        for (const char byte : text) {
            if (*next++ != byte) {
                return false;
            }
        }
        return true;
    }
    std::size_t blanks() const {
        std::size_t count = 0;
        while (position_ + count < line_.size() && line_[position_ + count] == ' ') {
            ++count;
        }
        return count;
    }
    [[noreturn]] void refuseLead(std::string_view text, std::string_view heading) const;

    std::string_view line_;
    const LineReader& reader_;
    std::size_t offset_ = 0;
    std::size_t position_ = 0;
};

}  // namespace zemra
