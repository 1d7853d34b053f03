#include "run/conversion.h"

#include "decode/listing_lines.h"
#include "decode/step_decoder.h"
#include "run/listing_header.h"
#include "run/settings_file.h"

namespace zemra {

Conversion::Conversion(DecodeOptions options, ConversionOutputs outputs)
    : options_(options), outputs_(outputs) {}

void Conversion::writeListingHeader(const std::string& baseName, const LocalDateTime& at) {
    outputs_.listing.write(formatListingHeader(baseName, options_.variantCode, at));
}

void Conversion::convertRecord(std::span<const std::byte, kRecordSize> bytes) {
    const ComponentRecord record = decodeRecord(bytes);
    switch (decodeStep(record, options_, fields_, counters_)) {
        case StepKind::Dropped:
            return;
        case StepKind::Skipped:
            outputs_.listing.write(formatSkippedStepLines(fields_.step));
            ++fields_.step;
            return;
        case StepKind::Decoded:
            outputs_.listing.write(formatStepLines(fields_, options_.variantCode));
            ++fields_.step;
            if (auto pinStep = selectPinStep(fields_, record.typeCode)) {
                lists_.pinSteps.push_back(std::move(*pinStep));
            }
            return;
    }
}

void Conversion::runPasses() {
    BuildDeviceList();
    FindIcDevices();
    CollectIcDiodeSteps();
    FindCommonPins();
    CollectIcJSteps();
    DeriveIcPins();
    WriteIcnFile();
    WriteIcpFile();
}

void Conversion::writeSettingsFile() {
    outputs_.scp.write(formatSettingsFile(counters_));
}

}  // namespace zemra
