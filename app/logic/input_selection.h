#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "run/convert_file.h"

namespace zemra::app {

// The component file the operator chose: its path and title, and the file itself while it is open.
// A choice stays in force until the next one, also after its file has been converted or could not
// be opened.
class InputSelection {
  public:
    // Makes `path` the chosen input and opens it; false when it cannot be opened.
    bool choose(const std::filesystem::path& path);

    bool hasChoice() const { return chosen_.has_value(); }
    const std::string& title() const { return title_; }
    // The folder in which the output folder of a conversion is made: the chosen file's own.
    std::filesystem::path outputParent() const;

    // Hands over the chosen input for a conversion, opened anew when an earlier conversion
    // consumed it or it could not be opened; nothing when there is no choice or it cannot be
    // opened now.
    std::optional<InputFile> takeInput();

  private:
    std::optional<std::filesystem::path> chosen_;
    std::string title_;
    std::optional<InputFile> input_;
};

}  // namespace zemra::app
