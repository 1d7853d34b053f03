#include "dropped_file.h"

#include <QList>
#include <QUrl>

namespace zemra::app {

std::optional<QString> droppedFile(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return std::nullopt;
    }
    return urls.front().toLocalFile();
}

}  // namespace zemra::app
