#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace zemra::app {

// What the operator logic asks of the dialog's toolkit: the open-file dialog, a message box the
// operator acknowledges, and the wait cursor. Each dialog binds these to its own toolkit; tests
// answer them from a script.
class OperatorFrontEnd {
  public:
    virtual ~OperatorFrontEnd() = default;

    // The file the operator chose, or nothing when the choice was cancelled.
    virtual std::optional<std::filesystem::path> chooseInputFile() = 0;
    // Shows one message, UTF-8, and returns when the operator has acknowledged it.
    virtual void showMessage(std::string_view text) = 0;
    // Shows the wait cursor while `busy` holds.
    virtual void setBusy(bool busy) = 0;
};

}  // namespace zemra::app
