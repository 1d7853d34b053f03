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

ParsedArguments parseArguments(const std::vector<std::string>& arguments);

std::string helpText();
std::string versionText();

}  // namespace zemra::cli
