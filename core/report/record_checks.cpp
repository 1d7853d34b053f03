#include "report/record_checks.h"

#include <string_view>

#include "decode/component_record.h"
#include "decode/record_codes.h"
#include "text/hex_text.h"

namespace zemra {
namespace {

// Why a record's part name gives no step: what it begins with.
std::string whyNoStep(const ComponentRecord& record) {
    const std::string_view name = record.partName.view();
    if (name.empty()) {
        return "its part name is empty";
    }
    const std::string quoted = "its part name \"" + std::string(name) + "\"";
    if (name.front() >= '0' && name.front() <= '9') {
        return quoted + " begins with a digit";
    }
    return quoted + " begins with the byte " + codeText(static_cast<unsigned char>(name.front())) +
           ", not a letter";
}

std::string_view kindName(RangeKind kind) {
    switch (kind) {
        case RangeKind::Resistance:
            return "resistance";
        case RangeKind::Capacitance:
            return "capacitance";
        default:
            return "inductance";
    }
}

std::string rangeSentence(std::string_view which, std::uint8_t rangeCode,
                          std::string_view leftAsItWas) {
    return std::string(which) + " range code " + codeText(rangeCode) + " names " +
           std::string(kindName(rangeKindOf(rangeCode))) + " range " +
           std::to_string(rangeOf(rangeCode)) +
           ", which the range table does not have: " + std::string(leftAsItWas);
}

std::string limitSentence(std::string_view which, std::uint8_t code) {
    return std::string(which) + " limit code " + codeText(code) + " is neither " +
           codeText(kLimitsAsRead) +
           " nor 0x00 and counts as 0x00: the step's kind sets its limits";
}

}  // namespace

std::string duplicateNameSentence(std::string_view name, std::int64_t firstStep) {
    return "part name \"" + std::string(name) + "\" is also the name of step " +
           std::to_string(firstStep);
}

std::string codeText(unsigned byte) {
    std::string text = "0x";
    appendHexByte(text, byte, HexCase::Upper);
    return text;
}

void RecordChecker::check(const RecordTrace& trace) {
    const std::uint64_t offset = trace.ordinal * kRecordSize;
    switch (trace.kind) {
        case StepKind::Dropped:
            checks_.add(CheckId::DroppedRecord, offset, std::nullopt, [&trace] {
                return "record dropped: " + whyNoStep(trace.record) + " and it has no skip mark";
            });
            return;
        case StepKind::Skipped:
            checks_.add(CheckId::SkippedStep, offset, trace.fields.step, [&trace] {
                return "a \"*\" step: " + whyNoStep(trace.record) +
                       " and it has the skip mark, so the tester skips it";
            });
            return;
        case StepKind::Decoded:
            checkUnknownCodes(trace, offset);
            checkPins(trace.fields, offset);
            if (checkPartNames_) {
                checkPartName(trace.fields, offset);
            }
            return;
    }
}

void RecordChecker::checkUnknownCodes(const RecordTrace& trace, std::uint64_t offset) {
    const ComponentRecord& record = trace.record;
    const StepFields& fields = trace.fields;
    const auto add = [&](auto sentence) {
        checks_.add(CheckId::UnknownCode, offset, fields.step, sentence);
    };
    if (fields.readUnknown(UnknownCode::ActualRange)) {
        add([&] {
            return rangeSentence("actual", record.actualRange,
                                 "Actual-V and Unit keep their value");
        });
    }
    if (fields.readUnknown(UnknownCode::StandardRange)) {
        add([&] {
            return rangeSentence("standard", record.standardRange,
                                 "Stand-V and Unit keep their value");
        });
    }
    const auto typeCode = static_cast<int>(record.typeCode);
    if (typeCode < 1 || typeCode > 15) {
        add([&] {
            return "type code " + codeText(static_cast<std::uint8_t>(typeCode)) +
                   " is outside 1 to 15: the step gets no kind letters";
        });
    }
    if (fields.readUnknown(UnknownCode::ModeCode)) {
        add([&] {
            return "mode code " + codeText(static_cast<unsigned char>(record.modeCode)) +
                   " is outside \"1\" to \"6\": MODE keeps its value";
        });
    }
    for (const auto& [which, code] :
         {std::pair{"upper", record.upperLimitCode}, std::pair{"lower", record.lowerLimitCode}}) {
        if (code != kLimitsAsRead && code != 0x00) {
            // Copied: a lambda may not capture a structured binding before clang 16.
            add([which = which, code = code] { return limitSentence(which, code); });
        }
    }
}

void RecordChecker::checkPins(const StepFields& fields, std::uint64_t offset) {
    if (fields.hiP == fields.loP) {
        checks_.add(CheckId::SameHiLoPin, offset, fields.step, [&fields] {
            return "Hi-P and Lo-P are both tester pin " + std::to_string(fields.hiP) +
                   ": the step measures between a pin and itself";
        });
    }
}

void RecordChecker::checkPartName(const StepFields& fields, std::uint64_t offset) {
    if (const std::optional<std::int64_t> first =
            firstStepOfName_.firstOrNote(fields.partsN, fields.step)) {
        checks_.add(CheckId::DuplicatePartName, offset, fields.step, [&fields, firstStep = *first] {
            return duplicateNameSentence(fields.partsN.view(), firstStep);
        });
    }
}

void checkTrailingBytes(std::uint64_t records, std::uint64_t ignoredBytes, CheckList& checks) {
    if (ignoredBytes == 0) {
        return;
    }
    checks.add(CheckId::PartialRecord, records * kRecordSize, std::nullopt, [ignoredBytes] {
        return "the last " + std::to_string(ignoredBytes) +
               " bytes of the file are no whole record of 64 bytes and were ignored";
    });
}

}  // namespace zemra
