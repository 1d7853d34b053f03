#pragma once

#include <array>
#include <charconv>
#include <optional>
#include <string_view>

namespace zemra {

// The decimal text of a J step's pin number, as "%d" writes it. A J step names its two IC pins
// by writing their numbers one after the other, so the text is split to find them.
class PinText {
  public:
    explicit PinText(int pinNumber) {
        const auto result =
            std::to_chars(digits_.data(), digits_.data() + digits_.size(), pinNumber);
        size_ = static_cast<std::size_t>(result.ptr - digits_.data());
    }

    std::string_view view() const { return {digits_.data(), size_}; }
    // The first `length` digits, and the rest.
    std::string_view left(std::size_t length) const { return view().substr(0, length); }
    std::string_view right(std::size_t length) const { return view().substr(length); }

  private:
    std::array<char, 12> digits_{};
    std::size_t size_ = 0;
};

// The value of a run of decimal digits: the part 05 has the number 5.
inline int numberOf(std::string_view digits) {
    int value = 0;
    for (const char digit : digits) {
        value = value * 10 + (digit - '0');
    }
    return value;
}

// The pin number whose decimal text is exactly `part`; none for a part with a leading zero.
inline std::optional<int> pinNumberSpelled(std::string_view part) {
    if (part.size() > 1 && part.front() == '0') {
        return std::nullopt;
    }
    return numberOf(part);
}

}  // namespace zemra
