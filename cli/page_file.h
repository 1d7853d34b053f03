#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "files/file_system.h"
#include "report/board_report.h"

namespace zemra::cli {

// --html: writes the page of the boards of a call to `page`, all or nothing (writeWholeFile()).
// `page` may name nothing yet or a page that zemra-convert wrote; anything else (one of
// `runFiles`, the files the run read, a folder, a FIFO or a device, any other file) is left as it
// is. Prints the page's path to `out` once it is in place; says why to `err` and returns false
// when it was not written.
bool writeReportPage(const std::filesystem::path& page, const std::vector<BoardReport>& boards,
                     std::span<const std::filesystem::path> runFiles, FileSystem& fileSystem,
                     std::ostream& out, std::ostream& err);

// Writes the page that `makePage` makes to `page` in the same way.
bool writePage(const std::filesystem::path& page, const std::function<std::string()>& makePage,
               std::span<const std::filesystem::path> runFiles, FileSystem& fileSystem,
               std::ostream& out, std::ostream& err);

}  // namespace zemra::cli
