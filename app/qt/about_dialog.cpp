#include "about_dialog.h"

#include <array>

#include "dialog_font.h"
#include "dialog_units.h"
#include "label_fit.h"
#include "program_icon.h"
#include "program_identity.h"

namespace zemra::app {
namespace {

constexpr DialogUnitSize kClientSize{235, 55};
constexpr DialogUnitRect kIconRect{11, 17, 20, 20};
constexpr DialogUnitRect kVersionRect{40, 10, 119, 8};
constexpr DialogUnitRect kPurposeRect{40, 25, 119, 8};
constexpr DialogUnitRect kOkRect{178, 7, 50, 14};
constexpr int kIconPixels = 32;

}  // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setFont(dialogFont());
    setWindowTitle(QStringLiteral("關於轉換程式"));

    icon_.setObjectName(QStringLiteral("icon128"));
    icon_.setPixmap(programIcon().pixmap(kIconPixels, kIconPixels));
    version_.setObjectName(QStringLiteral("versionText"));
    version_.setTextFormat(Qt::PlainText);
    version_.setText(aboutVersionText());
    purpose_.setObjectName(QStringLiteral("purposeText"));
    purpose_.setTextFormat(Qt::PlainText);
    purpose_.setText(QStringLiteral("CMP元件檔轉KX740測試檔"));
    okButton_.setObjectName(QStringLiteral("control1"));
    okButton_.setText(QStringLiteral("確定"));
    okButton_.setDefault(true);
    connect(&okButton_, &QPushButton::clicked, this, &QDialog::accept);

    placeControls();
}

void AboutDialog::placeControls() {
    const DialogUnits units(font());
    const QSize clientSize = units.toPixels(kClientSize);
    setFixedSize(clientSize);
    // An icon keeps its own size; the template gives its place.
    icon_.setGeometry(QRect(units.toPixels(kIconRect).topLeft(), QSize(kIconPixels, kIconPixels)));
    version_.setGeometry(units.toPixels(kVersionRect));
    purpose_.setGeometry(units.toPixels(kPurposeRect));
    okButton_.setGeometry(units.toPixels(kOkRect));
    const std::array<QWidget*, 4> controls{&icon_, &version_, &purpose_, &okButton_};
    widenToFitLabels(controls, clientSize);
}

}  // namespace zemra::app
