#include <sys/wait.h>

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

}  // namespace zemra::testing
