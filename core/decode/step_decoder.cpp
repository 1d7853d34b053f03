#include "decode/step_decoder.h"

#include <algorithm>

#include "decode/part_name.h"
#include "decode/record_codes.h"
#include "decode/step_type.h"
#include "decode/values.h"

namespace zemra {
namespace {

constexpr int kLimitMaximum = 99;

// ASCII only: bytes from 0x80 up are neither letters nor digits.
bool isAsciiLetter(char character) {
    return (character >= 'A' && character <= 'Z') || (character >= 'a' && character <= 'z');
}

bool isAsciiLetterOrDigit(char character) {
    return isAsciiLetter(character) || (character >= '0' && character <= '9');
}

void resetStepFields(StepFields& fields) {
    StepFields fresh;
    fresh.step = fields.step;
    fields = fresh;
}

// Character codes count as signed bytes, so a byte from 0x80 up never raises a counter.
int signedCode(const LcCode& text, std::size_t index) {
    return index < text.size() ? static_cast<signed char>(text.view()[index]) : 0;
}

}  // namespace

void raiseRunCounters(const StepFields& fields, RunCounters& counters) {
    counters.maxLcLetter = std::max(counters.maxLcLetter, signedCode(fields.lc, 0));
    counters.maxLcDigit = std::max(counters.maxLcDigit, signedCode(fields.lc, 1));
    counters.maxPin = std::max({counters.maxPin, fields.hiP, fields.loP});
}

StepKind decodeStep(const ComponentRecord& record, const DecodeOptions& options, StepFields& fields,
                    RunCounters& counters) {
    resetStepFields(fields);
    StepFlags flags;
    fields.skip = record.skip;
    fields.lc = record.lc;
    if (fields.lc.empty() || !isAsciiLetterOrDigit(fields.lc.front())) {
        fields.lc.assign("A1");
    }
    fields.partsN.assign(record.partName.view());
    if (fields.partsN.empty() || !isAsciiLetter(fields.partsN.front())) {
        if (fields.skip) {
            fields.partsN.assign("*");
            return StepKind::Skipped;
        }
        return StepKind::Dropped;
    }

    fields.hiP = record.hiPin;
    fields.loP = record.loPin;
    fields.guardPins = record.guardPins;
    raiseRunCounters(fields, counters);

    fields.upperLimit = std::min<int>(record.upperLimit, kLimitMaximum);
    fields.lowerLimit = std::min(record.lowerLimit, kLimitMaximum);
    flags.otherLimitCode =
        record.upperLimitCode != kLimitsAsRead || record.lowerLimitCode != kLimitsAsRead;
    fields.dly = std::max<int>(record.delay, 0);

    cleanUpPartName(fields.partsN);
    decodeValues(record, options.reversePins, fields, flags);
    applyPrefixRules(record.typeCode, options.variant, fields);
    if (fields.partsN.startsWith("J") && flags.otherLimitCode) {
        fields.upperLimit = 10;
        fields.lowerLimit = 10;
    }
    assignStepType(record, options.variant, fields);
    return StepKind::Decoded;
}

}  // namespace zemra
