#include "decode/pin_step.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace zemra {
namespace {

constexpr std::string_view kNameDelimiters = " _G*-/+";

// Whether a byte is a name delimiter, by its value: every pin step splits its name.
constexpr std::array<bool, 256> kIsDelimiter = [] {
    std::array<bool, 256> table{};
    for (const char delimiter : kNameDelimiters) {
        table[static_cast<unsigned char>(delimiter)] = true;
    }
    return table;
}();

bool isDelimiter(char byte) {
    return kIsDelimiter[static_cast<unsigned char>(byte)];
}

// Splits off tokens as strtok does: leading delimiters are skipped and a run of delimiters
// separates two tokens.
class NameTokens {
  public:
    explicit NameTokens(std::string_view source) : rest_(source) {}

    std::string_view next() {
        const auto start = std::find_if_not(rest_.begin(), rest_.end(), isDelimiter);
        const auto end = std::find_if(start, rest_.end(), isDelimiter);
        const std::string_view token(start, end);
        rest_ = std::string_view(end, rest_.end());
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

PinStepName pinStepNameOf(std::string_view partsN) {
    std::string_view source = partsN;
    // Under KX740E a "U" device of a J step carries the prefix J; its device name does not.
    if (source.starts_with("JU")) {
        source.remove_prefix(1);
    }
    NameTokens tokens(source);
    const std::string_view device = tokens.next();
    return {device, leadingNumber(tokens.next())};
}

std::optional<PinStep> selectPinStep(const StepFields& fields, TypeCode typeCode,
                                     NameTable& names) {
    if (!isPinStep(fields.partsN, typeCode)) {
        return std::nullopt;
    }
    const PinStepName name = pinStepNameOf(fields.partsN.view());
    return PinStep{.name = names.intern(name.device),
                   .lc = fields.lc,
                   .typeCode = typeCode,
                   .hiPin = fields.hiP,
                   .loPin = fields.loP,
                   .pinNumber = name.pinNumber};
}

}  // namespace zemra
