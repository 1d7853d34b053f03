#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

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

// A program started in `folder` that runs while the test goes on, its standard output and error
// caught; `arguments` as for runProgram(), `environment` ("NAME=value") added to the test's own.
// The program is waited for, at the latest, when this object goes.
class StartedProgram {
  public:
    StartedProgram(const std::filesystem::path& program, const std::string& arguments,
                   const std::filesystem::path& folder,
                   const std::vector<std::string>& environment = {});
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    // The system's id of the process.
    unsigned long id() const;
    // Ends the program at once, as SIGKILL or the Task Manager does: it can do nothing more.
    void kill();
    // Waits for the program's end: how it ended and what it wrote. Once only.
    ProgramResult wait();

  private:
    struct Process;
    std::unique_ptr<Process> process_;
};

}  // namespace zemra::testing
