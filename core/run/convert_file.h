#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "decode/step_fields.h"
#include "run/local_date_time.h"

namespace zemra {

struct ConversionSettings {
    char variantCode = kVariantFeFr;
    int reversePins = 0;
    LocalDateTime at;
};

// Receives each message of a run, in order, for the operator.
using MessageSink = std::function<void(const std::string& message)>;

struct RunReport {
    std::filesystem::path outputFolder;
    bool clean = false;  // every output was written and moved into place
};

// The title of a file: its name without folder, up to its last "." when it has one.
std::string fileTitle(const std::filesystem::path& path);

// A component file opened for reading.
class InputFile {
  public:
    // Nothing for a file that does not exist, cannot be read or is a folder.
    static std::optional<InputFile> open(const std::filesystem::path& path);

    const std::filesystem::path& path() const { return path_; }
    std::istream& records() { return stream_; }

  private:
    InputFile(std::filesystem::path path, std::ifstream stream)
        : path_(std::move(path)), stream_(std::move(stream)) {}

    std::filesystem::path path_;
    std::ifstream stream_;
};

// Converts an open component file into the folder `<outputParent>/<title>`, or into outputParent
// itself when that folder cannot be made. Reads the input to its end.
RunReport runConversion(InputFile& input, const std::string& title,
                        const std::filesystem::path& outputParent,
                        const ConversionSettings& settings, const MessageSink& report);

// Opens and converts `input`, beside it or into `outputParent` when one is given.
RunReport convertFile(const std::filesystem::path& input,
                      const std::optional<std::filesystem::path>& outputParent,
                      const ConversionSettings& settings, const MessageSink& report);

}  // namespace zemra
