#include "about_entry.h"

namespace zemra::app {

void installAboutEntry(QWidget& window, QAction& separator, QAction& entry) {
    separator.setSeparator(true);
    entry.setText(aboutEntryText());
    window.addAction(&separator);
    window.addAction(&entry);
    window.setContextMenuPolicy(Qt::ActionsContextMenu);
}

}  // namespace zemra::app
