#pragma once

// The program's arguments as Windows hands them over: its UTF-16 command line split by
// CommandLineToArgvW, without the program's own name. (The argv of main() holds them in the ANSI
// code page, which loses every character outside it.) Windows only.

#include <string>
#include <vector>

namespace zemra::platform {

std::vector<std::wstring> commandLineArguments();

}  // namespace zemra::platform
