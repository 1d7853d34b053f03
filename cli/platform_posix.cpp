#include "platform.h"

#include <cstdio>

namespace zemra::cli {

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

void writeText(Stream stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream == Stream::Output ? stdout : stderr);
}

// The shell has expanded them already.
std::vector<std::filesystem::path> expandWildcards(
    const std::vector<std::filesystem::path>& inputs) {
    return inputs;
}

}  // namespace zemra::cli
