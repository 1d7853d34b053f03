#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zemra::testing {

// A fresh folder for one test, in the system's folder for temporary files or in `parent`, removed
// with everything in it afterwards.
class TempFolder {
  public:
    explicit TempFolder(
        const std::filesystem::path& parent = std::filesystem::temp_directory_path());
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

void writeFile(const std::filesystem::path& path, const std::string& bytes);
std::string readFile(const std::filesystem::path& path);
// Names of the entries of a folder, sorted.
std::vector<std::string> entriesOf(const std::filesystem::path& folder);

}  // namespace zemra::testing
