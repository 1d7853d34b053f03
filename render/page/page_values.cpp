#include "page_values.h"

#include "text/format.h"

namespace zemra::cli {

std::string valueText(float value) {
    std::string text;
    appendFormatted(text, "%.2f", static_cast<double>(value));
    return text;
}

std::string timeText(const LocalDateTime& at, char separator) {
    std::string text;
    appendFormatted(text, "%04d-%02d-%02d%c%02d:%02d:%02d", at.year, at.month, at.day, separator,
                    at.hour, at.minute, at.second);
    return text;
}

std::string_view listedType(const StepRow& row, TesterVariant variant) {
    const bool listed = row.kind == StepKind::Decoded && variant == TesterVariant::Kx740FeFr;
    return listed ? row.fields.type : std::string_view();
}

std::string_view becameText(const StepRow& row) {
    switch (row.kind) {
        case StepKind::Dropped:
            return "dropped";
        case StepKind::Skipped:
            return "*";
        case StepKind::Decoded:
            break;
    }
    return row.pinStep ? "pin step" : "step";
}

std::string_view variantName(TesterVariant variant) {
    return variant == TesterVariant::Kx740e ? "KX740E" : "KX740 FE/FR";
}

}  // namespace zemra::cli
