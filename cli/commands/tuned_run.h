#pragma once

#include <ostream>

#include "arguments.h"
#include "files/file_system.h"

namespace zemra::cli {

// --tuned: works out the carry from the tester folder, the old and the new revision, then
// converts the new revision with it as any conversion does. The output folder to `out` (with
// --report, each carried column, conflict and drop after it), the conversion's messages, what
// changed on the tester that is not carried, and the line of counts to `err`. Nothing is written
// when the folder or the old revision cannot be read. Returns the exit status. Throws
// Interrupted when the file system says the program is to stop.
int convertTuned(const TunedRequest& request, FileSystem& fileSystem, std::ostream& out,
                 std::ostream& err);

}  // namespace zemra::cli
