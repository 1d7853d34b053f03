#include "run/input_file.h"

#include "platform/utf8_paths.h"

namespace zemra {

std::string fileTitle(const std::filesystem::path& path) {
    const std::string bytes = platform::utf8Of(path.filename());
    const auto dot = bytes.rfind('.');
    return dot == std::string::npos ? bytes : bytes.substr(0, dot);
}

std::filesystem::path folderOfInput(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return (error ? path : absolute).parent_path();
}

void InputFile::open(FileSystem& fileSystem) {
    if (!file_) {
        file_ = fileSystem.openForReading(path_);
    }
}

}  // namespace zemra
