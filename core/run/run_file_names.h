#pragma once

#include <string>
#include <string_view>

namespace zemra {

// The files a run makes beside its outputs: a temporary for each output, and a second name of
// each older output while the new ones move in.
enum class RunFileKind { Temporary, Backup };

// A name of its own for such a file: ".zt-" (a temporary) or ".zb-" (a second name), the process
// id, "-" and 16 hex digits of a random number, so that no two runs pick the same name, in one
// process or many, on one machine or several.
std::string newRunFileName(RunFileKind kind);

// Whether `name` is one that newRunFileName() gives. No other name is ever taken for a leftover
// of a run: not ".zt" and 8 hex digits, the naming of earlier versions, nor any other file.
bool isRunFileName(RunFileKind kind, std::string_view name);

}  // namespace zemra
