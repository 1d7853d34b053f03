#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "arguments.h"
#include "run/convert_file.h"

namespace {

constexpr int kExitClean = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int convertAll(zemra::cli::ConvertRequest request) {
    if (request.outputParent) {
        std::error_code error;
        if (!std::filesystem::is_directory(*request.outputParent, error)) {
            std::cerr << "zemra-convert: output folder " << request.outputParent->string()
                      << " does not exist\n";
            return kExitFailed;
        }
    }
    if (!request.timeGiven) {
        request.settings.at = zemra::currentLocalDateTime();
    }
    bool allClean = true;
    for (const auto& input : request.inputs) {
        const auto report = [&input](const std::string& message) {
            std::cerr << "zemra-convert: " << input.string() << ": " << message << '\n';
        };
        try {
            const zemra::RunReport result =
                zemra::convertFile(input, request.outputParent, request.settings, report);
            if (!result.outputFolder.empty()) {
                std::cout << result.outputFolder.string() << '\n';
            }
            allClean = allClean && result.clean;
        } catch (const std::exception& error) {
            // Out of memory on a pathological board, say: its outputs are not moved into place,
            // and the next file is converted all the same.
            std::cerr << "zemra-convert: " << input.string() << ": not converted: " << error.what()
                      << '\n';
            allClean = false;
        }
    }
    return allClean ? kExitClean : kExitFailed;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const auto parsed = zemra::cli::parseArguments(arguments);
    if (const auto* request = std::get_if<zemra::cli::ConvertRequest>(&parsed)) {
        return convertAll(*request);
    }
    if (std::holds_alternative<zemra::cli::ShowHelp>(parsed)) {
        std::cout << zemra::cli::helpText();
        return kExitClean;
    }
    if (std::holds_alternative<zemra::cli::ShowVersion>(parsed)) {
        std::cout << zemra::cli::versionText();
        return kExitClean;
    }
    std::cerr << "zemra-convert: " << std::get<zemra::cli::UsageError>(parsed).message << "\n"
              << "Try 'zemra-convert --help' for more information.\n";
    return kExitUsage;
}
