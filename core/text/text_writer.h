#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
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
        Digits digits;
        char* first = digitsBefore(digits.end(), value < 0 ? 0 - static_cast<std::uint64_t>(value)
                                                           : static_cast<std::uint64_t>(value));
        if (value < 0) {
            *--first = '-';
        }
        padded(digits, first, width);
    }

    // "%N.2f" of a value widened to double: correctly rounded from the exact binary value, ties
    // to even, as the C library's printf rounds.
    void fixed2(double value, std::size_t width) {
        if (!(std::abs(value) < kFastFixedLimit) ||
            static_cast<double>(static_cast<float>(value)) != value) {
            longFixed2(value, width);
            return;
        }
        // A float has 24 significant bits, so a hundred times it is exact in a double, and
        // rounding that to a whole number rounds the exact value.
        const double exact = std::abs(value) * 100.0;
        const double whole = std::floor(exact);
        auto hundredths = static_cast<std::uint64_t>(whole);
        const double fraction = exact - whole;
        if (fraction > 0.5 || (fraction == 0.5 && hundredths % 2 == 1)) {
            ++hundredths;
        }
        Digits digits;
        char* first = digits.end() - 2;
        std::memcpy(first, &kDigitPairs[2 * (hundredths % 100)], 2);
        *--first = '.';
        first = digitsBefore(first, hundredths / 100);
        if (std::signbit(value)) {
            *--first = '-';
        }
        padded(digits, first, width);
    }

    // "%N.1f" or "%N.2f" of a value held as `units` of its last decimal, with a minus sign where
    // `negative`.
    void decimal(std::uint64_t units, bool negative, int decimals, std::size_t width) {
        Digits digits;
        char* first = digits.end();
        if (decimals == 2) {
            first -= 2;
            std::memcpy(first, &kDigitPairs[2 * (units % 100)], 2);
            units /= 100;
        } else {
            for (int place = 0; place < decimals; ++place) {
                *--first = static_cast<char>('0' + units % 10);
                units /= 10;
            }
        }
        *--first = '.';
        first = digitsBefore(first, units);
        if (negative) {
            *--first = '-';
        }
        padded(digits, first, width);
    }

    // Hands everything formatted so far to the sink.
    void flush();

  private:
    static constexpr std::size_t kBlockSize = std::size_t{1} << 18;
    static constexpr std::size_t kShortText = 32;
    // Fixed-point values below this take the short way: their hundredths fit 64 bits.
    static constexpr double kFastFixedLimit = 1e15;

    // "00" to "99", for formatting numbers two digits at a time.
    static constexpr std::array<char, 200> kDigitPairs = [] {
        std::array<char, 200> pairs{};
        for (std::size_t value = 0; value < 100; ++value) {
            pairs[2 * value] = static_cast<char>('0' + value / 10);
            pairs[2 * value + 1] = static_cast<char>('0' + value % 10);
        }
        return pairs;
    }();

    // The decimal digits of `value`, written backwards so that they end before `end`; returns
    // where they begin.
    static char* digitsBefore(char* end, std::uint64_t value) {
        while (value >= 100) {
            end -= 2;
            std::memcpy(end, &kDigitPairs[2 * (value % 100)], 2);
            value /= 100;
        }
        if (value >= 10) {
            end -= 2;
            std::memcpy(end, &kDigitPairs[2 * value], 2);
        } else {
            *--end = static_cast<char>('0' + value);
        }
        return end;
    }

    // Digits are formatted backwards into the first half, ending at end(); the second half lets
    // padded() copy a fixed number of bytes from wherever they begin.
    struct Digits {
        static constexpr std::size_t kMost = 24;
        std::array<char, 2 * kMost> bytes;
        char* end() { return bytes.data() + kMost; }
    };

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
    // Digits and signs, which hold no LF. Widths are small, so the padding and the digits are
    // each copied as a block of fixed size, of which only the part needed counts.
    void padded(Digits& digits, const char* first, std::size_t width) {
        static constexpr std::size_t kFixedPadding = 16;
        static constexpr char kBlanks[kFixedPadding + 1] = "                ";
        const auto size = static_cast<std::size_t>(digits.end() - first);
        const std::size_t padding = width > size ? width - size : 0;
        if (padding > kFixedPadding) {
            longPad(padding);
        } else {
            ensureRoom(kFixedPadding);
            std::memcpy(block_.get() + used_, kBlanks, kFixedPadding);
            used_ += padding;
        }
        ensureRoom(Digits::kMost);
        std::memcpy(block_.get() + used_, first, Digits::kMost);
        used_ += size;
    }
    void longFixed2(double value, std::size_t width);
    void longText(std::string_view bytes, std::size_t width, Align align);
    void longPad(std::size_t count);

    ByteSink& sink_;
    std::unique_ptr<char[]> block_;
    std::size_t used_ = 0;
};

}  // namespace zemra
