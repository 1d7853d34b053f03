#include "file_conversion.h"

namespace zemra::testing {

RunOutcome convertFile(FileSystem& fileSystem, const std::filesystem::path& input,
                       const std::optional<std::filesystem::path>& outputParent,
                       const ConversionSettings& settings, const MessageSink& report,
                       std::optional<std::chrono::milliseconds> folderWait) {
    std::optional<Conversion> conversion = Conversion::open(fileSystem,
                                                            {.input = InputFile(input),
                                                             .outputParent = outputParent,
                                                             .settings = settings,
                                                             .folderWait = folderWait},
                                                            report);
    return conversion ? conversion->run(report) : RunOutcome{};
}

}  // namespace zemra::testing
