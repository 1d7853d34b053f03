#pragma once

#include <filesystem>
#include <string>

namespace zemra::testing {

struct ProgramResult {
    int exitStatus = -1;  // -1 when the program did not end by itself
    std::string out;
    std::string err;
};

// Runs `program` in `folder` to its end and catches its standard output and error. `arguments`
// are words as a POSIX shell splits them: at spaces, with single quotes around a word that holds
// spaces. On Windows, where no shell is involved, nothing else is special, so a wildcard reaches
// the program as it is.
ProgramResult runProgram(const std::filesystem::path& program, const std::string& arguments,
                         const std::filesystem::path& folder);

}  // namespace zemra::testing
