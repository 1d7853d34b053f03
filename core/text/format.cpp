#include "text/format.h"

#include <array>
#include <cstdarg>
#include <cstdio>

namespace zemra {

void appendFormatted(std::string& out, const char* format, ...) {
    std::array<char, 256> buffer{};
    va_list args;
    va_start(args, format);
    va_list retry;
    va_copy(retry, args);
    const int length = std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    if (length < 0) {
        va_end(retry);
        return;
    }
    const auto size = static_cast<std::size_t>(length);
    if (size < buffer.size()) {
        out.append(buffer.data(), size);
    } else {
        const std::size_t start = out.size();
        out.resize(start + size + 1);
        std::vsnprintf(out.data() + start, size + 1, format, retry);
        out.resize(start + size);
    }
    va_end(retry);
}

}  // namespace zemra
