#include "run/run_file_names.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <random>

#include "platform/process_id.h"

namespace zemra {
namespace {

constexpr std::size_t kRandomDigits = 16;
// A process id of 32 bits has at most 10 decimal digits.
constexpr std::size_t kLongestProcessId = 10;

std::string_view prefixOf(RunFileKind kind) {
    return kind == RunFileKind::Temporary ? ".zt-" : ".zb-";
}

bool isDecimalDigit(char digit) {
    return digit >= '0' && digit <= '9';
}

bool isHexDigit(char digit) {
    return isDecimalDigit(digit) || (digit >= 'a' && digit <= 'f');
}

}  // namespace

std::string newRunFileName(RunFileKind kind) {
    std::random_device device;
    const std::uint64_t random = (std::uint64_t{device()} << 32U) | device();
    std::array<char, kRandomDigits> hex{};
    const auto end = std::to_chars(hex.data(), hex.data() + hex.size(), random, 16).ptr;
    const auto length = static_cast<std::size_t>(end - hex.data());
    return std::string(prefixOf(kind)) + std::to_string(platform::currentProcessId()) + "-" +
           std::string(kRandomDigits - length, '0') + std::string(hex.data(), length);
}

bool isRunFileName(RunFileKind kind, std::string_view name) {
    const std::string_view prefix = prefixOf(kind);
    if (!name.starts_with(prefix)) {
        return false;
    }
    name.remove_prefix(prefix.size());
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash > kLongestProcessId || name.size() != dash + 1 + kRandomDigits) {
        return false;
    }
    const std::string_view processId = name.substr(0, dash);
    const std::string_view random = name.substr(dash + 1);
    return std::all_of(processId.begin(), processId.end(), isDecimalDigit) &&
           std::all_of(random.begin(), random.end(), isHexDigit);
}

}  // namespace zemra
