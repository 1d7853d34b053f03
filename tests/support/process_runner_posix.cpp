#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "process_runner.h"
#include "temp_folder.h"

namespace zemra::testing {

ProgramResult runProgram(const std::filesystem::path& program, const std::string& arguments,
                         const std::filesystem::path& folder) {
    // The caught output lies outside `folder`, so the program never sees it among its files.
    const TempFolder capture;
    const std::string command = "cd '" + folder.string() + "' && '" + program.string() + "' " +
                                arguments + " >'" + (capture / "out").string() + "' 2>'" +
                                (capture / "err").string() + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(capture / "out"),
            readFile(capture / "err")};
}

struct StartedProgram::Process {
    pid_t id = -1;
    // The caught output lies outside the program's folder, so it never sees it among its files.
    TempFolder capture;
};

StartedProgram::StartedProgram(const std::filesystem::path& program, const std::string& arguments,
                               const std::filesystem::path& folder,
                               const std::vector<std::string>& environment)
    : process_(std::make_unique<Process>()) {
    // The shell splits the words as runProgram() has them split, then becomes the program, so
    // that the process id is the program's.
    std::string command;
    for (const std::string& variable : environment) {
        command += "export '" + variable + "'; ";
    }
    command += "exec '" + program.string() + "' " + arguments;
    const std::string out = (process_->capture / "out").string();
    const std::string err = (process_->capture / "err").string();
    process_->id = fork();
    if (process_->id == 0) {
        const int outFile = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int errFile = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (outFile >= 0 && errFile >= 0 && dup2(outFile, 1) >= 0 && dup2(errFile, 2) >= 0 &&
            chdir(folder.c_str()) == 0) {
            execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
        }
        _exit(127);
    }
}

StartedProgram::~StartedProgram() {
    if (process_->id > 0) {
        wait();
    }
}

unsigned long StartedProgram::id() const {
    return static_cast<unsigned long>(process_->id);
}

void StartedProgram::kill() {
    ::kill(process_->id, SIGKILL);
}

ProgramResult StartedProgram::wait() {
    int status = 0;
    waitpid(process_->id, &status, 0);
    process_->id = -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(process_->capture / "out"),
            readFile(process_->capture / "err")};
}

}  // namespace zemra::testing
