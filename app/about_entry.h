#pragma once

#include <QAction>
#include <QByteArray>
#include <QString>
#include <QWidget>

namespace zemra::app {

// The text of the entry that opens the About box.
inline QString aboutEntryText() {
    return QStringLiteral("About zemra(&A)...");
}

// Offers the About entry after a separator: on Windows at the end of the window's system menu,
// elsewhere, where a window has no menu of its own to extend, in its context menu. `entry` is
// triggered when the operator chooses it from the context menu.
void installAboutEntry(QWidget& window, QAction& separator, QAction& entry);

// Whether a native event of the window is the choice of the system-menu entry.
bool isAboutEntryChoice(const QByteArray& eventType, const void* message);

}  // namespace zemra::app
