#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "files/file_system.h"
#include "run/input_file.h"

namespace zemra::app {

// The component file the operator chose: its path and title, and the file itself while it is open.
// A choice stays in force until the next one, also after its file has been converted or could not
// be opened.
class InputSelection {
  public:
    // Makes `path` the chosen input and opens it; false when it cannot be opened.
    bool choose(FileSystem& fileSystem, const std::filesystem::path& path);

    bool hasChoice() const { return chosen_.has_value(); }
    std::string title() const { return chosen_ ? chosen_->title() : std::string(); }

    // Hands over the chosen input, where there is one, for a conversion: open when it was opened
    // at its choice and not converted since, else to be opened by the conversion. The choice
    // stays.
    InputFile take();

  private:
    std::optional<InputFile> chosen_;
};

}  // namespace zemra::app
