#include "arguments.h"

#include "platform/platform.h"

namespace zemra::cli {
namespace {

constexpr const char* kVersion = "1.0.0.1";

// The value of an option given as "--name VALUE" or "--name=VALUE".
std::optional<std::string> optionValue(const std::vector<std::string>& arguments,
                                       std::size_t& index, const std::string& name) {
    const std::string& argument = arguments[index];
    if (argument == name) {
        if (index + 1 < arguments.size()) {
            return arguments[++index];
        }
        return std::nullopt;
    }
    return argument.substr(name.size() + 1);
}

bool matchesValueOption(const std::string& argument, const std::string& name) {
    return argument == name || argument.starts_with(name + "=");
}

}  // namespace

ParsedArguments parseArguments(const std::vector<std::string>& arguments) {
    ConvertRequest request;
    bool onlyFiles = false;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (onlyFiles || argument.empty() || argument == "-" || argument.front() != '-') {
            request.inputs.push_back(platform::pathFromUtf8(argument));
        } else if (argument == "--") {
            onlyFiles = true;
        } else if (argument == "--help" || argument == "-h") {
            return ShowHelp{};
        } else if (argument == "--version") {
            return ShowVersion{};
        } else if (argument == "--kx740e") {
            request.settings.variantCode = kVariantE;
        } else if (argument == "--reverse-pins") {
            request.settings.reversePins = 1;
        } else if (matchesValueOption(argument, "--at")) {
            const auto value = optionValue(arguments, index, "--at");
            const auto at = value ? parseLocalDateTime(*value) : std::nullopt;
            if (!at) {
                return UsageError{"--at needs a date and time as YYYY-MM-DDTHH:MM:SS"};
            }
            request.settings.at = *at;
            request.timeGiven = true;
        } else if (argument == "-o" || matchesValueOption(argument, "--output")) {
            const auto value = argument == "-o" ? optionValue(arguments, index, "-o")
                                                : optionValue(arguments, index, "--output");
            if (!value || value->empty()) {
                return UsageError{"-o needs a folder"};
            }
            request.outputParent = platform::pathFromUtf8(*value);
        } else {
            return UsageError{"unknown option " + argument};
        }
    }
    if (request.inputs.empty()) {
        return UsageError{"no component file given"};
    }
    return request;
}

std::string helpText() {
    return "Usage: zemra-convert [OPTIONS] FILE...\n"
           "\n"
           "Converts ICT component files (.cmp) for testers of the KX740 family. For each FILE\n"
           "it writes the folder <title>/ beside the input, holding <title>.dat (test data\n"
           "listing), <title>.icn and <title>.icp (IC pin files) and <title>.scp (settings),\n"
           "where <title> is the file name up to its last '.'.\n"
           "\n"
           "Options:\n"
           "  --kx740e             write for the KX740E (kind letters before the part name);\n"
           "                       the default is the KX740 FE/FR (a Type column)\n"
           "  --reverse-pins       exchange the Hi and Lo pins of voltage steps\n"
           "  --at YYYY-MM-DDTHH:MM:SS\n"
           "                       stamp the listings with this local time instead of now\n"
           "  -o, --output DIR     create the output folders in DIR instead of beside the inputs\n"
           "  -h, --help           show this help and exit\n"
           "      --version        show the version and exit\n"
           "\n"
           "Prints the output folder of each converted file on standard output and the\n"
           "converter's messages on standard error.\n"
           "Exit status: 0 if every file converted cleanly, 1 if an input could not be read or\n"
           "an output could not be written, 2 for a usage error.\n";
}

std::string versionText() {
    return std::string("zemra-convert ") + kVersion + "\n";
}

}  // namespace zemra::cli
