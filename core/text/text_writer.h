#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "io/byte_sink.h"

namespace zemra {

enum class Align { Left, Right };

// Formats text output straight into a large block and hands it to its sink a block at a time.
// Each operation is the counterpart of one printf conversion of the output formats: minimum
// widths, never a cut. Every line ends in CR LF, the line end the tester expects, and so does
// every LF byte inside a name or LC code.
class TextWriter {
  public:
    explicit TextWriter(ByteSink& sink);
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    // Fixed text of a format, without line ends.
    void literal(std::string_view text) {
        ensureRoom(text.size());
        copy(text);
    }
    void endLine() { literal("\r\n"); }

    // "%s", "%-Ns" or "%Ns": the bytes as they are, padded to `width` by their count.
    void text(std::string_view bytes, std::size_t width = 0, Align align = Align::Right) {
        if (bytes.size() > kShortText || width > kShortText) {
            longText(bytes, width, align);
            return;
        }
        // Room for the padding and for every byte being an LF.
        ensureRoom(kShortText + 2 * kShortText);
        const std::size_t padding = width > bytes.size() ? width - bytes.size() : 0;
        if (align == Align::Right) {
            pad(padding);
        }
        char* out = block_.get() + used_;
        for (const char byte : bytes) {
            if (byte == '\n') {
                *out++ = '\r';
            }
            *out++ = byte;
        }
        used_ = static_cast<std::size_t>(out - block_.get());
        if (align == Align::Left) {
            pad(padding);
        }
    }

    // "%Nd" (and "%Nlld").
    void number(std::int64_t value, std::size_t width = 0) {
        std::array<char, 24> digits{};
        const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
        padded({digits.data(), static_cast<std::size_t>(result.ptr - digits.data())}, width);
    }

    // "%N.2f" of a value widened to double: correctly rounded from the exact binary value, ties
    // to even, as the C library's printf rounds.
    void fixed2(double value, std::size_t width) {
        // The widest double in fixed notation has 309 digits before the point.
        std::array<char, 320> digits{};
        const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                          std::chars_format::fixed, 2);
        padded({digits.data(), static_cast<std::size_t>(result.ptr - digits.data())}, width);
    }

    // Hands everything formatted so far to the sink.
    void flush();

  private:
    static constexpr std::size_t kBlockSize = std::size_t{1} << 18;
    static constexpr std::size_t kShortText = 32;

    void ensureRoom(std::size_t count) {
        if (kBlockSize - used_ < count) {
            flush();
        }
    }
    void copy(std::string_view bytes) {
        std::memcpy(block_.get() + used_, bytes.data(), bytes.size());
        used_ += bytes.size();
    }
    // Needs the room ensured.
    void pad(std::size_t count) {
        std::memset(block_.get() + used_, ' ', count);
        used_ += count;
    }
    // Digits and signs, which hold no LF.
    void padded(std::string_view digits, std::size_t width) {
        const std::size_t padding = width > digits.size() ? width - digits.size() : 0;
        ensureRoom(padding + digits.size());
        pad(padding);
        copy(digits);
    }
    void longText(std::string_view bytes, std::size_t width, Align align);
    void longPad(std::size_t count);

    ByteSink& sink_;
    std::unique_ptr<char[]> block_;
    std::size_t used_ = 0;
};

}  // namespace zemra
