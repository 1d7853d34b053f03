#include "output_parent.h"

#include <string>

#include "escaped_text.h"

namespace zemra::cli {

bool checkOutputParent(const std::optional<std::filesystem::path>& parent, FileSystem& fileSystem,
                       std::ostream& err) {
    if (!parent) {
        return true;
    }
    std::string problem;
    try {
        const PathKind kind = fileSystem.kindOf(*parent);
        if (kind == PathKind::Folder) {
            return true;
        }
        problem = kind == PathKind::Missing ? " does not exist" : " is not a folder";
    } catch (const FileError& error) {
        problem = ": " + error.error().message();
    }
    err << "zemra-convert: -o " << consoleEscapedName(*parent) << problem << '\n';
    return false;
}

}  // namespace zemra::cli
