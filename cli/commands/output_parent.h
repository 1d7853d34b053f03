#pragma once

#include <filesystem>
#include <optional>
#include <ostream>

#include "files/file_system.h"

namespace zemra::cli {

// Whether `parent`, the folder that -o names, is one; when it is not, says so on `err`.
bool checkOutputParent(const std::optional<std::filesystem::path>& parent, FileSystem& fileSystem,
                       std::ostream& err);

}  // namespace zemra::cli
