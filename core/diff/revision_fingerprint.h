#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "decode/step_fields.h"
#include "diff/packed_pin_tables.h"
#include "diff/pin_step_numbers.h"
#include "io/byte_source.h"
#include "io/content_check.h"
#include "io/fingerprint.h"
#include "report/check_list.h"
#include "run/conversion_summary.h"

namespace zemra {

// What a comparison keeps of one revision after converting it: a key per listed step, the
// conversion's summary (the ICs of its pin files, the ignored J pins) and the pin table of each
// of its ICs, the step number of each pin step (which gave each IC pin), the checks of its
// records but for repeated part names, and the fingerprints of its input and of the outputs that
// follow from the steps. A million steps take 8 MB, a million IC pins about 5 MB.
struct RevisionFingerprint {
    std::vector<std::uint64_t> stepKeys;  // stepKey() of each listed step, in order
    ConversionSummary summary;            // of a traced run, without its icPinTables
    PackedPinTables icPinTables;          // in the order of summary.ics
    PinStepNumbers pinSteps;
    CheckList checks;
    Fingerprint input;
    ContentCheck inputCheck;                         // of a component file, for its second read
    std::array<Fingerprint, 3> pinAndSettingsFiles;  // .icn, .icp, .scp
};

// The extensions of RevisionFingerprint::pinAndSettingsFiles, in order.
inline constexpr std::array<std::string_view, 3> kComparedOutputs{".icn", ".icp", ".scp"};

// The key by which a comparison matches steps: a hash of the part name that the listing shows
// ("*" for a "*" step).
std::uint64_t stepKey(std::string_view listedName);

// Called once half of an input's records are read (at the first record when its size is not
// known beforehand), with how many records were read and how many of them were diode or J steps,
// which are what a conversion holds the most of at its end.
using HalfReadCall = std::function<void(std::uint64_t records, std::uint64_t diodeAndJSteps)>;

// What a reading keeps of a revision: all that a comparison needs, or, for a carry, which pairs
// steps and compares pin files and settings but no more, the step keys and the fingerprints of
// the pin files and settings alone.
enum class RevisionKept { Whole, KeysAndOutputs };

// Converts one revision through the conversion's own path, writing nothing. `halfRead` is called
// when given, unless the reading fails before.
RevisionFingerprint readRevision(ByteSource& input, const DecodeOptions& options,
                                 const HalfReadCall& halfRead = {},
                                 RevisionKept kept = RevisionKept::Whole);

}  // namespace zemra
