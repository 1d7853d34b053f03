#include "decode/pin_step.h"

#include <algorithm>
#include <string_view>

namespace zemra {
namespace {

constexpr std::string_view kNameDelimiters = " _G*-/+";

// Splits off tokens as strtok does: leading delimiters are skipped and a run of delimiters
// separates two tokens.
class NameTokens {
  public:
    explicit NameTokens(std::string_view source) : rest_(source) {}

    std::string_view next() {
        const auto start = rest_.find_first_not_of(kNameDelimiters);
        if (start == std::string_view::npos) {
            rest_ = {};
            return {};
        }
        rest_.remove_prefix(start);
        const auto end = std::min(rest_.find_first_of(kNameDelimiters), rest_.size());
        const std::string_view token = rest_.substr(0, end);
        rest_.remove_prefix(end);
        return token;
    }

  private:
    std::string_view rest_;
};

// The decimal digits at the very start of a token; 0 if it begins with anything else. A second
// token lies within the record's ten name bytes after a letter and a delimiter, so it has at
// most eight digits.
int leadingNumber(std::string_view token) {
    std::int64_t value = 0;
    for (const char character : token) {
        if (character < '0' || character > '9') {
            break;
        }
        value = value * 10 + (character - '0');
    }
    return static_cast<int>(value);
}

bool isPinStep(const PartsN& partsN, TypeCode typeCode) {
    return partsN.startsWith("U") || partsN.startsWith("JU") || partsN.startsWith("IC") ||
           marksPinStep(typeCode);
}

}  // namespace

std::optional<PinStep> selectPinStep(const StepFields& fields, TypeCode typeCode,
                                     NameTable& names) {
    if (!isPinStep(fields.partsN, typeCode)) {
        return std::nullopt;
    }
    std::string_view source = fields.partsN.view();
    // Under KX740E a "U" device of a J step carries the prefix J; its device name does not.
    if (fields.partsN.startsWith("JU")) {
        source.remove_prefix(1);
    }
    NameTokens tokens(source);
    const std::string_view device = tokens.next();
    const std::string_view pin = tokens.next();
    return PinStep{.name = names.intern(device),
                   .lc = fields.lc,
                   .typeCode = typeCode,
                   .hiPin = fields.hiP,
                   .loPin = fields.loP,
                   .pinNumber = leadingNumber(pin)};
}

}  // namespace zemra
