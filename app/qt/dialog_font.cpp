#include "dialog_font.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace zemra::app {
namespace {

constexpr int kPointSize = 9;

// In order of preference; the dialogs were designed for the first. Windows may list it under its
// Latin name.
QStringList preferredFamilies() {
    return {QStringLiteral("新細明體"), QStringLiteral("PMingLiU"),
            QStringLiteral("AR PL UMing TW"), QStringLiteral("AR PL New Sung")};
}

}  // namespace

QFont dialogFont() {
    QFont font;
    font.setStyleHint(QFont::Serif);
    for (const QString& family : preferredFamilies()) {
        if (QFontDatabase::hasFamily(family)) {
            font.setFamily(family);
            break;
        }
    }
    font.setPointSize(kPointSize);
    return font;
}

}  // namespace zemra::app
