#include "temp_folder.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

namespace zemra::testing {

TempFolder::TempFolder(const std::filesystem::path& parent) {
    std::random_device entropy;
    path_ = parent / ("zemra-test-" + std::to_string(entropy()) + std::to_string(entropy()));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> entriesOf(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace zemra::testing
