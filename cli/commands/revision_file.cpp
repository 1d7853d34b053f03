#include "revision_file.h"

namespace zemra::cli {

std::unique_ptr<ByteSource> openRevisionFile(const std::filesystem::path& input,
                                             FileSystem& fileSystem) {
    try {
        return std::make_unique<RevisionFile>(fileSystem.openForReading(input), input);
    } catch (const FileError& error) {
        throw RevisionUnreadable{input, MessageKind::FileMissing, error};
    }
}

}  // namespace zemra::cli
