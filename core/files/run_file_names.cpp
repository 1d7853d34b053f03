#include "files/run_file_names.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <random>

#include "platform/process_id.h"

namespace zemra {
namespace {

constexpr std::size_t kTagDigits = 8;
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

template <typename Number>
std::string hexOf(Number number, std::size_t digits) {
    std::array<char, 16> hex{};
    const auto end = std::to_chars(hex.data(), hex.data() + hex.size(), number, 16).ptr;
    const auto length = static_cast<std::size_t>(end - hex.data());
    return std::string(digits - length, '0') + std::string(hex.data(), length);
}

// Takes the next field of `name`, up to a "-" or the end, and what follows it.
std::string_view takeField(std::string_view& name) {
    const std::size_t dash = name.find('-');
    const std::string_view field = name.substr(0, dash);
    name.remove_prefix(dash == std::string_view::npos ? name.size() : dash + 1);
    return field;
}

template <typename Number>
bool parse(std::string_view field, int base, Number& number) {
    const auto [end, error] =
        std::from_chars(field.data(), field.data() + field.size(), number, base);
    return error == std::errc() && end == field.data() + field.size();
}

bool isHexField(std::string_view field, std::size_t digits) {
    return field.size() == digits && std::all_of(field.begin(), field.end(), isHexDigit);
}

}  // namespace

RunFileOwner thisRun() {
    return {platform::machineTag(), platform::bootTag(), platform::currentProcessId()};
}

bool runHasEnded(const RunFileOwner& owner) {
    const RunFileOwner self = thisRun();
    if (owner.machine != self.machine) {
        return false;
    }
    return owner.boot != self.boot || platform::processHasEnded(owner.process);
}

std::string runFileName(RunFileKind kind, const RunFileOwner& owner, std::uint64_t random) {
    return std::string(prefixOf(kind)) + hexOf(owner.machine, kTagDigits) + "-" +
           hexOf(owner.boot, kTagDigits) + "-" + std::to_string(owner.process) + "-" +
           hexOf(random, kRandomDigits);
}

std::string newRunFileName(RunFileKind kind) {
    std::random_device device;
    const std::uint64_t random = (std::uint64_t{device()} << 32U) | device();
    return runFileName(kind, thisRun(), random);
}

std::optional<RunFileOwner> ownerOfRunFile(RunFileKind kind, std::string_view name) {
    const std::string_view prefix = prefixOf(kind);
    if (!name.starts_with(prefix)) {
        return std::nullopt;
    }
    name.remove_prefix(prefix.size());
    const std::string_view machine = takeField(name);
    const std::string_view boot = takeField(name);
    const std::string_view process = takeField(name);
    const std::string_view random = name;
    RunFileOwner owner;
    if (!isHexField(machine, kTagDigits) || !isHexField(boot, kTagDigits) ||
        !isHexField(random, kRandomDigits) || process.empty() ||
        process.size() > kLongestProcessId ||
        !std::all_of(process.begin(), process.end(), isDecimalDigit) ||
        (process.size() > 1 && process.front() == '0') || !parse(machine, 16, owner.machine) ||
        !parse(boot, 16, owner.boot) || !parse(process, 10, owner.process)) {
        return std::nullopt;
    }
    return owner;
}

}  // namespace zemra
