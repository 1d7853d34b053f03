#include "run/local_date_time.h"

#include <chrono>
#include <ctime>

#include "platform/local_time.h"

namespace zemra {
namespace {

std::optional<int> digitsAt(std::string_view text, std::size_t start, std::size_t count) {
    int value = 0;
    for (std::size_t index = start; index < start + count; ++index) {
        if (text[index] < '0' || text[index] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[index] - '0');
    }
    return value;
}

}  // namespace

LocalDateTime currentLocalDateTime() {
    const std::time_t now = std::time(nullptr);
    const std::tm local = platform::localTimeOf(now);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::optional<LocalDateTime> parseLocalDateTime(std::string_view text) {
    constexpr std::string_view kShape = "dddd-dd-ddTdd:dd:dd";
    if (text.size() != kShape.size()) {
        return std::nullopt;
    }
    for (std::size_t index = 0; index < kShape.size(); ++index) {
        if (kShape[index] != 'd' && text[index] != kShape[index]) {
            return std::nullopt;
        }
    }
    const auto year = digitsAt(text, 0, 4);
    const auto month = digitsAt(text, 5, 2);
    const auto day = digitsAt(text, 8, 2);
    const auto hour = digitsAt(text, 11, 2);
    const auto minute = digitsAt(text, 14, 2);
    const auto second = digitsAt(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date{std::chrono::year{*year},
                                           std::chrono::month{static_cast<unsigned>(*month)},
                                           std::chrono::day{static_cast<unsigned>(*day)}};
    if (!date.ok() || *hour > 23 || *minute > 59 || *second > 59) {
        return std::nullopt;
    }
    return LocalDateTime{*year, *month, *day, *hour, *minute, *second};
}

}  // namespace zemra
