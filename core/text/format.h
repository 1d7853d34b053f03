#pragma once

#include <string>

namespace zemra {

// Appends printf-style output to `out`, for the few lines of a run that are written once: the
// listing header and the settings file.
void appendFormatted(std::string& out, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

}  // namespace zemra
