#include "input_selection.h"

#include <system_error>
#include <utility>

namespace zemra::app {

namespace {

std::optional<InputFile> openInput(const std::filesystem::path& path) {
    try {
        return InputFile::open(systemFileSystem(), path);
    } catch (const FileError&) {
        return std::nullopt;
    }
}

}  // namespace

bool InputSelection::choose(const std::filesystem::path& path) {
    chosen_ = path;
    title_ = fileTitle(path);
    input_ = openInput(path);
    return input_.has_value();
}

std::filesystem::path InputSelection::outputParent() const {
    if (!chosen_) {
        return {};
    }
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(*chosen_, error);
    return (error ? *chosen_ : absolute).parent_path();
}

std::optional<InputFile> InputSelection::takeInput() {
    if (!chosen_) {
        return std::nullopt;
    }
    if (!input_) {
        return openInput(*chosen_);
    }
    return std::exchange(input_, std::nullopt);
}

}  // namespace zemra::app
