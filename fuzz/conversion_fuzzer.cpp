// libFuzzer harness over a whole conversion: any byte sequence is a component file. The first
// byte picks the tester variant and the reverse-pins option; the rest are the records.
#include <cstddef>
#include <cstdint>
#include <span>

#include "run/conversion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const zemra::DecodeOptions options{(data[0] & 1U) != 0 ? zemra::kVariantE : zemra::kVariantFeFr,
                                       (data[0] & 2U) != 0 ? 1 : 0};
    zemra::TextOutput listing = zemra::TextOutput::inMemory();
    zemra::TextOutput icn = zemra::TextOutput::inMemory();
    zemra::TextOutput icp = zemra::TextOutput::inMemory();
    zemra::TextOutput scp = zemra::TextOutput::inMemory();
    zemra::Conversion conversion(options, {listing, icn, icp, scp});
    conversion.writeListingHeader("FUZZ", {});
    const auto* records = reinterpret_cast<const std::byte*>(data + 1);
    for (std::size_t offset = 0; offset + zemra::kRecordSize <= size - 1;
         offset += zemra::kRecordSize) {
        conversion.convertRecord(
            std::span<const std::byte, zemra::kRecordSize>(records + offset, zemra::kRecordSize));
    }
    conversion.runPasses();
    conversion.writeSettingsFile();
    return 0;
}
