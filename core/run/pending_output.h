#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>

#include "run/text_output.h"

namespace zemra {

// An output file written under a temporary name beside its final one and moved over it only
// when complete, so that a failed run leaves no half-written file and an older output survives.
class PendingOutput {
  public:
    // Opens a temporary file for `target`; isOpen() is false when that fails, when `target` is
    // a folder, or when it is `input` itself, which is never written.
    PendingOutput(const std::filesystem::path& target, const std::filesystem::path& input);
    ~PendingOutput();
    PendingOutput(const PendingOutput&) = delete;
    PendingOutput& operator=(const PendingOutput&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    TextOutput& text() { return text_; }
    // Completes the file and moves it into place; false if anything failed, and then the
    // temporary file is gone and the target unchanged.
    bool commit();

  private:
    void discard();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
    TextOutput text_ = TextOutput::discarding();
};

}  // namespace zemra
