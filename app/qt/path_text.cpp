#include "path_text.h"

namespace zemra::app {

std::filesystem::path pathFromText(const QString& text) {
    // From UTF-16 the path takes the platform's own encoding of file names.
    return std::filesystem::path(text.toStdU16String());
}

}  // namespace zemra::app
