#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <QString>

namespace zemra::app::testing {

// Writes a component file of `recordCount` records of a generated board.
void writeBoard(const std::filesystem::path& path, std::size_t recordCount = 60);

std::string contentsOf(const std::filesystem::path& path);

// The lines of a CR LF text file, without their ends.
std::vector<std::string> linesOf(const std::filesystem::path& path);

// The names of everything inside `folder`, all levels down, relative to it.
std::set<std::string> entriesUnder(const std::filesystem::path& folder);

QString textOf(const std::filesystem::path& path);

}  // namespace zemra::app::testing
