#include "board_files.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "board_generator.h"

namespace zemra::app::testing {

void writeBoard(const std::filesystem::path& path, std::size_t recordCount) {
    const std::vector<std::byte> bytes = generateBoard(7, recordCount);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::string contentsOf(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::string> linesOf(const std::filesystem::path& path) {
    const std::string text = contentsOf(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos;
         end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::set<std::string> entriesUnder(const std::filesystem::path& folder) {
    std::set<std::string> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        entries.insert(std::filesystem::relative(entry.path(), folder).generic_string());
    }
    return entries;
}

QString textOf(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

}  // namespace zemra::app::testing
