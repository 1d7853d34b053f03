#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zemra {

// A short text held in place. Part names, LC codes and device names are a few bytes long and a
// run decodes millions of them, so none of them lives on the heap. Bytes beyond the capacity are
// cut off; the naming rules never come near it.
template <std::size_t Capacity>
class FixedText {
    static_assert(Capacity < 256);

  public:
    constexpr FixedText() = default;
    constexpr explicit FixedText(std::string_view text) { assign(text); }

    constexpr void assign(std::string_view text) {
        size_ = 0;
        append(text);
    }
    constexpr void append(std::string_view text) {
        for (const char byte : text) {
            if (size_ == Capacity) {
                return;
            }
            bytes_[size_++] = byte;
        }
    }
    constexpr void prepend(std::string_view prefix) {
        FixedText joined(prefix);
        joined.append(view());
        *this = joined;
    }

    constexpr std::string_view view() const { return {bytes_.data(), size_}; }
    // Reads as its bytes wherever a string_view is wanted, as a std::string does.
    constexpr operator std::string_view() const {
        return view();
    }  // NOLINT(google-explicit-constructor)
    constexpr std::size_t size() const { return size_; }
    constexpr bool empty() const { return size_ == 0; }
    constexpr char front() const { return bytes_[0]; }
    constexpr bool startsWith(std::string_view prefix) const {
        return view().substr(0, prefix.size()) == prefix;
    }
    constexpr char* begin() { return bytes_.data(); }
    constexpr char* end() { return bytes_.data() + size_; }

    friend constexpr bool operator==(const FixedText& left, const FixedText& right) {
        return left.view() == right.view();
    }

  private:
    std::array<char, Capacity> bytes_{};
    std::uint8_t size_ = 0;
};

// An LC code: at most two bytes.
using LcCode = FixedText<2>;

}  // namespace zemra
