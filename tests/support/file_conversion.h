#pragma once

#include <filesystem>
#include <optional>

#include "run/conversion.h"

namespace zemra::testing {

// Converts the component file at `input` through the front ends' own entry point, with nothing
// in between its two steps: the outcome, and each message to `report`.
RunOutcome convertFile(FileSystem& fileSystem, const std::filesystem::path& input,
                       const std::optional<std::filesystem::path>& outputParent,
                       const ConversionSettings& settings, const MessageSink& report,
                       std::optional<std::chrono::milliseconds> folderWait = std::nullopt);

}  // namespace zemra::testing
