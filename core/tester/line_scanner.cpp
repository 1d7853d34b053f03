#include "tester/line_scanner.h"

#include <limits>

namespace zemra {
namespace {

bool isDigit(char byte) {
    return byte >= '0' && byte <= '9';
}

}  // namespace

void LineScanner::refuse(std::size_t column, std::string_view what) const {
    reader_.refuse(column, std::string(what));
}

void LineScanner::refuseLead(std::string_view text, std::string_view heading) const {
    refuse(column(), "\"" + std::string(text) + "\" before " + std::string(heading));
}

std::int64_t LineScanner::integer(std::size_t width, std::string_view what, std::int64_t least,
                                  std::int64_t most) {
    const std::size_t start = position_;
    const auto refuseNumber = [&] {
        refuse(offset_ + start + 1,
               std::string(what) + ", a whole number from " + std::to_string(least) + " to " +
                   std::to_string(most) +
                   (width > 1 ? " right-aligned in " + std::to_string(width) + " columns" : ""));
    };
    std::size_t at = start + blanks();
    const bool negative = at < line_.size() && line_[at] == '-';
    at += negative ? 1 : 0;
    const std::size_t digits = at;
    while (at < line_.size() && isDigit(line_[at])) {
        ++at;
    }
    // Eighteen digits cannot overflow; more are counted with care, in the negative range, which
    // holds the least 64-bit number as well.
    constexpr std::size_t kSafeDigits = 18;
    std::int64_t value = 0;
    for (std::size_t digit = digits; digit < at; ++digit) {
        const int figure = line_[digit] - '0';
        if (at - digits > kSafeDigits &&
            value < (std::numeric_limits<std::int64_t>::min() + figure) / 10) {
            refuseNumber();
        }
        value = value * 10 - figure;
    }
    const std::size_t count = at - digits;
    const std::size_t printed = at - (negative ? digits - 1 : digits);
    const bool leadingZero = count > 1 && line_[digits] == '0';
    const bool negativeZero = negative && value == 0;
    const std::size_t padding = width > printed ? width - printed : 0;
    if (count == 0 || leadingZero || negativeZero ||
        (negative ? digits - 1 : digits) - start != padding) {
        refuseNumber();
    }
    if (!negative) {
        if (value == std::numeric_limits<std::int64_t>::min()) {
            refuseNumber();
        }
        value = -value;
    }
    if (value < least || value > most) {
        refuseNumber();
    }
    position_ = at;
    return value;
}

ListedDecimal LineScanner::decimal(std::size_t width, int decimals, std::string_view what) {
    const std::size_t start = position_;
    const auto refuseNumber = [&] {
        refuse(offset_ + start + 1, std::string(what) + ", a number with " +
                                        std::to_string(decimals) +
                                        (decimals == 1 ? " decimal" : " decimals") +
                                        " right-aligned in " + std::to_string(width) + " columns");
    };
    std::size_t at = start + blanks();
    const std::size_t sign = at;
    ListedDecimal value;
    value.negative = at < line_.size() && line_[at] == '-';
    at += value.negative ? 1 : 0;
    const std::size_t digits = at;
    std::uint64_t units = 0;
    constexpr auto kMost = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    auto take = [&](std::size_t& position) {
        const auto digit = static_cast<std::uint64_t>(line_[position] - '0');
        if (units > (kMost - digit) / 10) {
            refuseNumber();
        }
        units = units * 10 + digit;
        ++position;
    };
    while (at < line_.size() && isDigit(line_[at])) {
        take(at);
    }
    const std::size_t wholeDigits = at - digits;
    if (wholeDigits == 0 || (wholeDigits > 1 && line_[digits] == '0') || at >= line_.size() ||
        line_[at] != '.') {
        refuseNumber();
    }
    ++at;
    for (int place = 0; place < decimals; ++place) {
        if (at >= line_.size() || !isDigit(line_[at])) {
            refuseNumber();
        }
        take(at);
    }
    const std::size_t printed = at - sign;
    const std::size_t padding = width > printed ? width - printed : 0;
    if (sign - start != padding) {
        refuseNumber();
    }
    value.units = static_cast<std::int64_t>(units);
    position_ = at;
    return value;
}

std::string_view LineScanner::rightAligned(std::size_t width, std::string_view what) {
    const std::size_t start = position_;
    std::size_t at = start + blanks();
    const std::size_t text = at;
    while (at < line_.size() && line_[at] != ' ') {
        ++at;
    }
    const std::size_t size = at - text;
    if (size == 0 || text - start != (width > size ? width - size : 0)) {
        refuse(offset_ + start + 1,
               std::string(what) + ", right-aligned in " + std::to_string(width) + " columns");
    }
    position_ = at;
    return line_.substr(text, size);
}

std::string_view LineScanner::bytes(std::size_t count, std::string_view what) {
    if (line_.size() - position_ < count) {
        refuse(column(), what);
    }
    const std::string_view taken = line_.substr(position_, count);
    position_ += count;
    return taken;
}

void LineScanner::end() {
    if (!atEnd()) {
        refuse(column(), "the end of the line");
    }
}

}  // namespace zemra
