#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <ostream>

#include "files/file_system.h"

namespace zemra::cli {

// The component file to dump, open; nothing, after saying why on `err`, when it cannot be opened.
std::unique_ptr<ReadableFile> openRecords(const std::filesystem::path& input,
                                          FileSystem& fileSystem, std::ostream& err);

// Says on `err` that the last `count` bytes of `input` are no whole record, if there are any.
void reportTrailingBytes(const std::filesystem::path& input, std::uint64_t count,
                         std::ostream& err);

// The dump of one file as CSV: its rows to `out`; a trailing partial record and failures to
// `err`. Stops at the first row that `out` cannot take. Returns the exit status.
int dumpFile(const std::filesystem::path& input, FileSystem& fileSystem, std::ostream& out,
             std::ostream& err);

}  // namespace zemra::cli
