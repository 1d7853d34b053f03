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

// Reads "YYYY-MM-DDTHH:MM:SS"; nothing for any other text or an impossible date or time.
std::optional<LocalDateTime> parseLocalDateTime(std::string_view text);

}  // namespace zemra
