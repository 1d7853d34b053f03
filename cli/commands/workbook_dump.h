#pragma once

#include <filesystem>
#include <optional>
#include <ostream>

#include "files/file_system.h"

namespace zemra::cli {

// The records of one file as the workbook <title>.xlsx in `outputParent`, or beside the input
// when there is none: written whole under a temporary name, then moved into place, so that an
// older workbook of that name stays as it was until the new one is complete. Prints its path on
// `out`; a trailing partial record and failures go to `err`. Returns the exit status. Throws
// Interrupted, after removing what it wrote, when the file system says the program is to stop.
int dumpWorkbook(const std::filesystem::path& input,
                 const std::optional<std::filesystem::path>& outputParent, FileSystem& fileSystem,
                 std::ostream& out, std::ostream& err);

}  // namespace zemra::cli
