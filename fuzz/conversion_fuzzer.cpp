// libFuzzer harness over a whole conversion: any byte sequence is a component file. The first
// byte picks the tester variant and the reverse-pins option; the rest are the records.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>

#include "run/conversion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const zemra::DecodeOptions options{(data[0] & 1U) != 0 ? zemra::kVariantE : zemra::kVariantFeFr,
                                       (data[0] & 2U) != 0 ? 1 : 0};
    // Written to the null device as a run writes its files: a record may name IC pin 99999999,
    // and the .icp file then has that many lines.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> sink(std::fopen("/dev/null", "wb"),
                                                               &std::fclose);
    zemra::TextOutput listing = zemra::TextOutput::toFile(sink.get());
    zemra::TextOutput icn = zemra::TextOutput::toFile(sink.get());
    zemra::TextOutput icp = zemra::TextOutput::toFile(sink.get());
    zemra::TextOutput scp = zemra::TextOutput::toFile(sink.get());
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
    listing.flush();
    icn.flush();
    icp.flush();
    scp.flush();
    return 0;
}
