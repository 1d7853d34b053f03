#pragma once

#include <chrono>

namespace zemra {

// How long a run waits for another run to let go of the output folder they share before it
// fails: the whole seconds that the environment variable ZEMRA_FOLDER_WAIT holds, 30 without it.
std::chrono::milliseconds folderWait();

}  // namespace zemra
