#pragma once

#include <filesystem>
#include <ostream>

#include "arguments.h"
#include "files/file_system.h"

namespace zemra::cli {

// Converts every input of the request in turn: the output folder of each committed conversion to
// `out`, every message with its reason to `err`. Returns the exit status. Throws Interrupted when
// the file system says the program is to stop.
int convertBatch(const ConvertRequest& request, FileSystem& fileSystem, std::ostream& out,
                 std::ostream& err);

}  // namespace zemra::cli
