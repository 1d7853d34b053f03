#include <exception>
#include <string>
#include <vector>

#include "arguments.h"
#include "platform.h"
#include "platform/platform.h"
#include "run/convert_file.h"

namespace {

using zemra::cli::Stream;
using zemra::cli::writeText;
using zemra::platform::utf8Of;

constexpr int kExitClean = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int convertAll(zemra::cli::ConvertRequest request) {
    if (request.outputParent) {
        std::error_code error;
        if (!std::filesystem::is_directory(*request.outputParent, error)) {
            writeText(Stream::Error, "zemra-convert: output folder " +
                                         utf8Of(*request.outputParent) + " does not exist\n");
            return kExitFailed;
        }
    }
    if (!request.timeGiven) {
        request.settings.at = zemra::currentLocalDateTime();
    }
    bool allClean = true;
    for (const auto& input : zemra::cli::expandWildcards(request.inputs)) {
        const std::string name = utf8Of(input);
        const auto report = [&name](const std::string& message) {
            writeText(Stream::Error, "zemra-convert: " + name + ": " + message + '\n');
        };
        try {
            const zemra::RunReport result =
                zemra::convertFile(input, request.outputParent, request.settings, report);
            if (!result.outputFolder.empty()) {
                writeText(Stream::Output, utf8Of(result.outputFolder) + '\n');
            }
            allClean = allClean && result.clean;
        } catch (const std::exception& error) {
            // Out of memory on a pathological board, say: its outputs are not moved into place,
            // and the next file is converted all the same.
            report(std::string("not converted: ") + error.what());
            allClean = false;
        }
    }
    return allClean ? kExitClean : kExitFailed;
}

}  // namespace

int main(int argc, char** argv) {
    const auto parsed = zemra::cli::parseArguments(zemra::cli::commandLineArguments(argc, argv));
    if (const auto* request = std::get_if<zemra::cli::ConvertRequest>(&parsed)) {
        return convertAll(*request);
    }
    if (std::holds_alternative<zemra::cli::ShowHelp>(parsed)) {
        writeText(Stream::Output, zemra::cli::helpText());
        return kExitClean;
    }
    if (std::holds_alternative<zemra::cli::ShowVersion>(parsed)) {
        writeText(Stream::Output, zemra::cli::versionText());
        return kExitClean;
    }
    writeText(Stream::Error, "zemra-convert: " + std::get<zemra::cli::UsageError>(parsed).message +
                                 "\nTry 'zemra-convert --help' for more information.\n");
    return kExitUsage;
}
