#pragma once

#include <ostream>

#include "arguments.h"
#include "files/file_system.h"

namespace zemra::cli {

// How --diff ends, as diff ends.
inline constexpr int kDiffSame = 0;
inline constexpr int kDiffDifferent = 1;
inline constexpr int kDiffTrouble = 2;

// --diff: compares the two revisions and prints their changes to `out` as text or JSON Lines,
// then writes the page, if one is asked for, and prints its path. Says why to `err` when a
// revision cannot be read or the page cannot be written. Writes no output files.
int diffBoards(const DiffRequest& request, FileSystem& fileSystem, std::ostream& out,
               std::ostream& err);

}  // namespace zemra::cli
