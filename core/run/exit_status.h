#pragma once

namespace zemra {

// How each of zemra's programs ends.
inline constexpr int kExitClean = 0;   // every file converted cleanly, or nothing was to be
inline constexpr int kExitFailed = 1;  // an input could not be read or an output written
inline constexpr int kExitUsage = 2;   // the command line was not understood

}  // namespace zemra
