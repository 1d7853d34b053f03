#include "run/pending_output.h"

#include <cerrno>
#include <random>
#include <string>
#include <system_error>

#include "platform/platform.h"

namespace zemra {
namespace {

constexpr int kNameAttempts = 100;

bool isSameFile(const std::filesystem::path& left, const std::filesystem::path& right) {
    std::error_code error;
    return std::filesystem::equivalent(left, right, error) && !error;
}

}  // namespace

PendingOutput::PendingOutput(const std::filesystem::path& target,
                             const std::filesystem::path& input)
    : target_(target) {
    std::error_code error;
    if (std::filesystem::is_directory(target, error) || isSameFile(target, input)) {
        return;
    }
    std::random_device entropy;
    for (int attempt = 0; attempt < kNameAttempts && file_ == nullptr; ++attempt) {
        std::filesystem::path name = ".";
        name += target.filename();
        name += "." + std::to_string(entropy()) + ".tmp";
        temporary_ = target;
        temporary_.replace_filename(name);
        // Never take over a file that happens to exist under the chosen name.
        file_ = platform::createNewFile(temporary_);
        if (file_ == nullptr && errno != EEXIST) {
            break;
        }
    }
    if (file_ != nullptr) {
        text_ = TextOutput::toFile(file_);
    } else {
        temporary_.clear();
    }
}

PendingOutput::~PendingOutput() {
    discard();
}

bool PendingOutput::commit() {
    if (file_ == nullptr) {
        return false;
    }
    const bool written = text_.flush();
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    std::error_code error;
    if (written && closed) {
        std::filesystem::rename(temporary_, target_, error);
        if (!error) {
            temporary_.clear();
            return true;
        }
    }
    std::filesystem::remove(temporary_, error);
    temporary_.clear();
    return false;
}

void PendingOutput::discard() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) {
        std::error_code error;
        std::filesystem::remove(temporary_, error);
        temporary_.clear();
    }
}

}  // namespace zemra
