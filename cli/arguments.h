#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "run/convert_file.h"

namespace zemra::cli {

struct ConvertRequest {
    ConversionSettings settings;
    bool timeGiven = false;  // false: stamp the listings with the time of the run
    std::optional<std::filesystem::path> outputParent;
    std::vector<std::filesystem::path> inputs;
};

struct ShowHelp {};
struct ShowVersion {};
struct UsageError {
    std::string message;
};

using ParsedArguments = std::variant<ConvertRequest, ShowHelp, ShowVersion, UsageError>;

// Reads the program's arguments, given in UTF-8.
ParsedArguments parseArguments(const std::vector<std::string>& utf8Arguments);

std::string helpText();
std::string versionText();

}  // namespace zemra::cli
