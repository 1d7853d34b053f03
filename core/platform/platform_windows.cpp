#include "platform/platform.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "platform/utf16.h"

namespace zemra::platform {

std::tm localTimeOf(std::time_t time) {
    std::tm local{};
    localtime_s(&local, &time);
    return local;
}

// Paths are UTF-16 here.
std::string utf8Of(const std::filesystem::path& path) {
    return utf8FromUtf16(path.native());
}

std::filesystem::path pathFromUtf8(std::string_view text) {
    return std::filesystem::path(utf16FromUtf8(text));
}

// Through _wopen: the C runtime's fopen takes no UTF-16 names and does not know "x".
std::FILE* createNewFile(const std::filesystem::path& path) {
    const int descriptor =
        _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "wb");
    if (file == nullptr) {
        _close(descriptor);
    }
    return file;
}

}  // namespace zemra::platform
