#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "decode/step_fields.h"
#include "files/file_system.h"
#include "run/conversion_summary.h"
#include "run/local_date_time.h"
#include "run/messages.h"

namespace zemra {

struct ConversionSettings {
    DecodeOptions options;
    LocalDateTime at;
};

// Receives each message of a run, in order, for the operator.
using MessageSink = std::function<void(const RunMessage& message)>;

struct RunOutcome {
    std::filesystem::path outputFolder;        // where the outputs go; empty if the input failed
    bool committed = false;                    // all four outputs are in place
    std::optional<ConversionSummary> summary;  // when the whole input was read and converted
};

// The title of a file: its name without folder, up to its last "." when it has one; UTF-8.
std::string fileTitle(const std::filesystem::path& path);

// A component file opened for reading.
class InputFile {
  public:
    // Throws FileError when the file does not exist, is a folder or a special file, or cannot be
    // opened.
    static InputFile open(FileSystem& fileSystem, const std::filesystem::path& path);

    const std::filesystem::path& path() const { return path_; }
    ReadableFile& records() { return *file_; }

  private:
    InputFile(std::filesystem::path path, std::unique_ptr<ReadableFile> file)
        : path_(std::move(path)), file_(std::move(file)) {}

    std::filesystem::path path_;
    std::unique_ptr<ReadableFile> file_;
};

// Where the outputs of a conversion go: the folder `<outputParent>/<title>`, made if needed, or
// outputParent itself when that folder cannot be made.
std::filesystem::path makeOutputFolder(FileSystem& fileSystem,
                                       const std::filesystem::path& outputParent,
                                       const std::string& title);

// Converts an open component file into `outputFolder`, reading it to its end. Throws
// Interrupted, after removing its temporary files, when the file system says so.
RunOutcome convertInput(FileSystem& fileSystem, InputFile& input, const std::string& title,
                        const std::filesystem::path& outputFolder,
                        const ConversionSettings& settings, const MessageSink& report);

// Opens and converts `input` into the output folder beside it, or in `outputParent` when one is
// given.
RunOutcome convertFile(FileSystem& fileSystem, const std::filesystem::path& input,
                       const std::optional<std::filesystem::path>& outputParent,
                       const ConversionSettings& settings, const MessageSink& report);

}  // namespace zemra
