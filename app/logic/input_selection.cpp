#include "input_selection.h"

#include <utility>

namespace zemra::app {

bool InputSelection::choose(FileSystem& fileSystem, const std::filesystem::path& path) {
    chosen_.emplace(path);
    try {
        chosen_->open(fileSystem);
        return true;
    } catch (const FileError&) {
        return false;
    }
}

InputFile InputSelection::take() {
    InputFile taken = std::move(*chosen_);
    chosen_.emplace(taken.path());
    return taken;
}

}  // namespace zemra::app
