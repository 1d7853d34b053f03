#pragma once

#include <optional>
#include <string_view>

namespace zemra {

// The local date and time stamped into a listing's header.
struct LocalDateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

LocalDateTime currentLocalDateTime();

// The years a listing's header can show: it writes 20 and the last two digits of the year.
inline constexpr int kFirstListedYear = 2000;
inline constexpr int kLastListedYear = 2099;

// Whether a listing stamped with `at` shows its year as it is.
constexpr bool isListedYear(const LocalDateTime& at) {
    return at.year >= kFirstListedYear && at.year <= kLastListedYear;
}

// Reads "YYYY-MM-DDTHH:MM:SS"; nothing for any other text or an impossible date or time.
std::optional<LocalDateTime> parseLocalDateTime(std::string_view text);

}  // namespace zemra
