#pragma once

#include <string>

#include "decode/step_fields.h"
#include "io/fingerprint.h"
#include "json_text.h"

namespace zemra::cli {

// What a comparison compared: the two files as named (UTF-8; a tester folder by its listing) and
// the options they were decoded under; with their fingerprints once both are read.
struct DiffHeader {
    std::string before;
    std::string after;
    DecodeOptions options;
    Fingerprint beforeBytes;
    Fingerprint afterBytes;
    // A side is a tester folder: its steps have no record, so a changed step is told by every
    // listing column that differs, and there are no record fields and no board checks.
    bool testerFolder = false;
};

// What --diff warns of when fewer than half the steps of the smaller revision pair up.
inline constexpr const char* kUnrelatedBoards = "the two files look like different boards";

// ", for the KX740 FE/FR" and, with --reverse-pins, ", Hi and Lo pins of voltage steps
// exchanged".
std::string optionsText(const DecodeOptions& options);

// The first lines of the text: the program and its options, then each file with its size and
// SHA-256.
std::string headerText(const DiffHeader& header);

// {"change": "header", "version", "variant", "reversePins", "old": {"file", "size", "sha256"},
// "new": {...}}
Json headerJson(const DiffHeader& header);

}  // namespace zemra::cli
