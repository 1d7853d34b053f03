#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "files/file_system.h"

namespace zemra::cli {

// Refuses, with a FileError, a `page` that names anything but nothing yet or a page that
// zemra-convert wrote: one of `runFiles` (the files the run read), a folder, a FIFO or a device,
// any other file is left as it is.
void checkPageReplaceable(FileSystem& fileSystem, const std::filesystem::path& page,
                          std::span<const std::filesystem::path> runFiles);

// Writes the page that `makePage` makes to `page`, all or nothing (writeWholeFile()), where
// checkPageReplaceable() lets it. Prints the page's path to `out` once it is in place; says why to
// `err` and returns false when it was not written.
bool writePage(const std::filesystem::path& page, const std::function<std::string()>& makePage,
               std::span<const std::filesystem::path> runFiles, FileSystem& fileSystem,
               std::ostream& out, std::ostream& err);

}  // namespace zemra::cli
