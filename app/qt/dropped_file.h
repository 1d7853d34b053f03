#pragma once

#include <optional>

#include <QMimeData>
#include <QString>

namespace zemra::app {

// The path of the one local file that dragged data names; nothing for several files, for remote
// locations or for data that names no file. A folder or a missing file is a path all the same.
std::optional<QString> droppedFile(const QMimeData& data);

}  // namespace zemra::app
