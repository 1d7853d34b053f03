#pragma once

#include <filesystem>

#include <QString>

namespace zemra::app {

// The file system path that a path text of the user interface names.
std::filesystem::path pathFromText(const QString& text);

}  // namespace zemra::app
