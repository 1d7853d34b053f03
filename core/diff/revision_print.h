#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "decode/step_fields.h"
#include "io/byte_source.h"
#include "io/fingerprint.h"
#include "pinfiles/ic_pin_table.h"
#include "report/check_list.h"
#include "run/conversion_summary.h"

namespace zemra {

// What a comparison keeps of one revision after converting it: a key per listed step, the
// conversion's summary (the ICs of its pin files with their pin maps, the ignored J pins), the
// step number of each pin step (which gave each IC pin), the checks of its records but for
// repeated part names, and the fingerprints of its input and of the outputs that follow from the
// steps. A million steps take 8 MB, a million pin steps 4 MB.
struct RevisionPrint {
    std::vector<std::uint64_t> stepKeys;  // stepKey() of each listed step, in order
    ConversionSummary summary;            // of a traced run
    // By PinStepOrdinal. A file would need 256 GiB for a step number beyond 32 bits.
    std::vector<std::uint32_t> pinStepNumbers;
    CheckList checks;
    Fingerprint input;
    std::array<Fingerprint, 3> pinAndSettingsFiles;  // .icn, .icp, .scp
};

// The extensions of RevisionPrint::pinAndSettingsFiles, in order.
inline constexpr std::array<std::string_view, 3> kComparedOutputs{".icn", ".icp", ".scp"};

// The key by which a comparison matches steps: a hash of the part name that the listing shows
// ("*" for a "*" step).
std::uint64_t stepKey(std::string_view listedName);

// Converts one revision through the conversion's own path, writing nothing.
RevisionPrint readRevision(ByteSource& input, const DecodeOptions& options);

}  // namespace zemra
