#include "program_icon.h"

#include <QString>

// The icons live in a static library, whose resources the linker keeps only when asked for. The
// resource's initialiser is declared in the global namespace, so this function lives there too.
static void loadIconResources() {
    Q_INIT_RESOURCE(zemra);
}

namespace zemra::app {

QIcon programIcon() {
    loadIconResources();
    QIcon icon;
    icon.addFile(QStringLiteral(":/zemra/icon-128-32.png"), {32, 32});
    icon.addFile(QStringLiteral(":/zemra/icon-128-16.png"), {16, 16});
    return icon;
}

}  // namespace zemra::app
