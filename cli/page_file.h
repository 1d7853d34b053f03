#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "files/file_system.h"
#include "report/board_report.h"

namespace zemra::cli {

// --html: writes the page of the boards of a call to `page`, all or nothing: into a new file
// beside it that then takes its name. Prints the page's path to `out` once it is in place; says
// why to `err` and returns false when it could not be written.
bool writeReportPage(const std::filesystem::path& page, const std::vector<BoardReport>& boards,
                     FileSystem& fileSystem, std::ostream& out, std::ostream& err);

// Writes the page that `makePage` makes to `page` in the same way.
bool writePage(const std::filesystem::path& page, const std::function<std::string()>& makePage,
               FileSystem& fileSystem, std::ostream& out, std::ostream& err);

}  // namespace zemra::cli
