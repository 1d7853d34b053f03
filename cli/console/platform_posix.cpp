#include "platform.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace zemra::cli {
namespace {

std::FILE* fileOf(Stream stream) {
    return stream == Stream::Output ? stdout : stderr;
}

}  // namespace

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

std::error_code writeText(Stream stream, std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), fileOf(stream)) != text.size()) {
        return {errno, std::generic_category()};
    }
    return {};
}

// stdio keeps the text of a file or pipe in its buffer: a failure to write it shows at the flush.
std::error_code finishText(Stream stream) {
    std::FILE* file = fileOf(stream);
    if (std::fflush(file) != 0) {
        return {errno, std::generic_category()};
    }
    if (std::ferror(file) != 0) {
        return std::make_error_code(std::errc::io_error);
    }
    return {};
}

void holdStandardStreams() {
    for (const int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(descriptor, F_GETFD) == -1 && errno == EBADF) {
            // open() takes the lowest free number, which is this one.
            ::open("/dev/null", O_RDONLY | O_NOCTTY);
        }
    }
}

// The shell has expanded them already.
std::vector<std::filesystem::path> expandWildcards(
    const std::vector<std::filesystem::path>& inputs) {
    return inputs;
}

bool NameOrder::operator()(const std::filesystem::path& left,
                           const std::filesystem::path& right) const {
    return left.native() < right.native();
}

}  // namespace zemra::cli
