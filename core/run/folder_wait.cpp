#include "run/folder_wait.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

namespace zemra {
namespace {

constexpr std::chrono::seconds kDefaultWait{30};
// A day: more than any conversion takes, and far from an overflow of the clock.
constexpr std::chrono::seconds kLongestWait{24 * 60 * 60};

}  // namespace

std::chrono::milliseconds folderWait() {
    const char* value = std::getenv("ZEMRA_FOLDER_WAIT");
    if (value == nullptr) {
        return kDefaultWait;
    }
    const std::string_view text(value);
    unsigned seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc() || end != text.data() + text.size() ||
        std::chrono::seconds(seconds) > kLongestWait) {
        return kDefaultWait;
    }
    return std::chrono::seconds(seconds);
}

}  // namespace zemra
