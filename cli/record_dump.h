#pragma once

#include <cstdint>
#include <ostream>

#include "files/file_system.h"
#include "io/byte_source.h"

namespace zemra::cli {

// The whole records of a component file as CSV (RFC 4180): a header row, then one row per
// 64-byte record with its offset, its fields as the converter reads them, what it became (its
// step number, "*" or "dropped") and its 64 bytes in hex. Any byte sequence is records. Returns
// the number of bytes after the last whole record, which get no row.
std::uint64_t writeRecordDump(ByteSource& input, std::ostream& out);

// The dump of one file: its rows to `out`; a trailing partial record and failures to `err`.
// Returns the exit status.
int dumpFile(const std::filesystem::path& input, FileSystem& fileSystem, std::ostream& out,
             std::ostream& err);

}  // namespace zemra::cli
