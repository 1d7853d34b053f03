#pragma once

#include <filesystem>
#include <optional>
#include <ostream>

#include "arguments.h"
#include "files/file_system.h"

namespace zemra::cli {

// Whether `parent`, the folder that -o names, is one; when it is not, says so on `err`.
bool checkOutputParent(const std::optional<std::filesystem::path>& parent, FileSystem& fileSystem,
                       std::ostream& err);

// Converts every input of the request in turn: the output folder of each committed conversion to
// `out`, every message with its reason to `err`. Returns the exit status. Throws Interrupted when
// the file system says the program is to stop.
int convertBatch(const ConvertRequest& request, FileSystem& fileSystem, std::ostream& out,
                 std::ostream& err);

}  // namespace zemra::cli
