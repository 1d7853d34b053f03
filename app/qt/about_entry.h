#pragma once

#include <QAction>
#include <QString>
#include <QWidget>

namespace zemra::app {

// The text of the entry that opens the About box.
inline QString aboutEntryText() {
    return QStringLiteral("About zemra(&A)...");
}

// Offers the About entry after a separator in the window's context menu: a window here has no
// system menu of its own to extend. `entry` is triggered when the operator chooses it.
void installAboutEntry(QWidget& window, QAction& separator, QAction& entry);

}  // namespace zemra::app
