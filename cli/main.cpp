#include <iostream>
#include <string>
#include <vector>

#include "arguments.h"
#include "convert_batch.h"
#include "files/interruptible_file_system.h"
#include "record_dump.h"
#include "stop_signals.h"

int main(int argc, char** argv) {
    namespace cli = zemra::cli;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const auto parsed = cli::parseArguments(arguments);
    if (const auto* request = std::get_if<cli::ConvertRequest>(&parsed)) {
        cli::ConvertRequest run = *request;
        if (!run.timeGiven) {
            run.settings.at = zemra::currentLocalDateTime();
        }
        zemra::InterruptibleFileSystem fileSystem(zemra::systemFileSystem(),
                                                  cli::catchStopSignals());
        try {
            return cli::convertBatch(run, fileSystem, std::cout, std::cerr);
        } catch (const zemra::Interrupted& interrupted) {
            std::cerr << "zemra-convert: interrupted; the outputs being written were removed\n";
            return 128 + interrupted.signal();
        }
    }
    if (const auto* dump = std::get_if<cli::DumpRequest>(&parsed)) {
        return cli::dumpFile(dump->input, zemra::systemFileSystem(), std::cout, std::cerr);
    }
    if (std::holds_alternative<cli::ShowHelp>(parsed)) {
        std::cout << cli::helpText();
        return cli::kExitClean;
    }
    if (std::holds_alternative<cli::ShowVersion>(parsed)) {
        std::cout << cli::versionText();
        return cli::kExitClean;
    }
    std::cerr << "zemra-convert: " << std::get<cli::UsageError>(parsed).message << "\n"
              << "Try 'zemra-convert --help' for more information.\n";
    return cli::kExitUsage;
}
