#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zemra {

// The files a run makes beside what it writes: a temporary for each file it writes whole (an
// output, a page, a workbook and the workbook library's own file), and a second name of each
// older output while the new ones move in.
enum class RunFileKind { Temporary, Backup };

// The run that made such a file: its machine, that machine's start, and its process.
struct RunFileOwner {
    std::uint32_t machine = 0;
    std::uint32_t boot = 0;
    std::uint32_t process = 0;

    friend bool operator==(const RunFileOwner&, const RunFileOwner&) = default;
};

// This process, as the owner of the files it makes.
RunFileOwner thisRun();

// Whether the run that `owner` names is gone for certain: a process of this machine, of an
// earlier start of it or one that has ended. A run of another machine is never known to be gone.
bool runHasEnded(const RunFileOwner& owner);

// A name of its own for such a file: ".zt-" (a temporary) or ".zb-" (a second name), the machine
// and its start as 8 hex digits each, the process id and 16 hex digits of a random number, apart
// by "-", so that no two runs pick the same name, in one process or many, on one machine or
// several. At most 49 bytes, whatever the name of the file it stands in for.
std::string newRunFileName(RunFileKind kind);
std::string runFileName(RunFileKind kind, const RunFileOwner& owner, std::uint64_t random);

// The owner that `name` gives, when it is a name newRunFileName() gives. No other name is ever
// taken for a leftover of a run: not the namings of earlier versions (".zt" and 8 hex digits;
// ".zt-", the process id, "-" and 16 hex digits), nor any other file.
std::optional<RunFileOwner> ownerOfRunFile(RunFileKind kind, std::string_view name);

inline bool isRunFileName(RunFileKind kind, std::string_view name) {
    return ownerOfRunFile(kind, name).has_value();
}

}  // namespace zemra
