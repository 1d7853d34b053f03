#include "converter_dialog.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

#include <QGuiApplication>

#include "about_dialog.h"
#include "about_entry.h"
#include "decode/step_fields.h"
#include "dialog_font.h"
#include "dialog_units.h"
#include "dropped_file.h"
#include "label_fit.h"
#include "path_text.h"
#include "program_icon.h"

namespace zemra::app {
namespace {

constexpr DialogUnitSize kClientSize{209, 83};
constexpr DialogUnitRect kOkRect{149, 33, 50, 14};
constexpr DialogUnitRect kCancelRect{149, 13, 50, 14};
constexpr DialogUnitRect kReadFileRect{10, 59, 50, 14};
constexpr DialogUnitRect kConvertRect{67, 59, 50, 14};
constexpr DialogUnitRect kKx740eRect{10, 27, 50, 10};
constexpr DialogUnitRect kKx740FeFrRect{10, 15, 58, 10};
constexpr DialogUnitRect kReversePinsRect{10, 39, 104, 10};

}  // namespace

// Binds the operator logic to Qt: the prompts of the program or of a test, the wait cursor.
class ConverterDialog::QtFrontEnd : public OperatorFrontEnd {
  public:
    QtFrontEnd(OperatorPrompts& prompts, QWidget& owner) : prompts_(prompts), owner_(owner) {}

    std::optional<std::filesystem::path> chooseInputFile() override {
        const std::optional<QString> chosen = prompts_.chooseInputFile(owner_);
        if (!chosen) {
            return std::nullopt;
        }
        return pathFromText(*chosen);
    }
    void showMessage(std::string_view text) override {
        prompts_.showMessage(owner_,
                             QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    void setBusy(bool busy) override {
        if (busy) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QGuiApplication::restoreOverrideCursor();
        }
    }

  private:
    OperatorPrompts& prompts_;
    QWidget& owner_;
};

ConverterDialog::ConverterDialog(OperatorPrompts& prompts, FileSystem& fileSystem, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      frontEnd_(std::make_unique<QtFrontEnd>(prompts, *this)),
      session_(*frontEnd_, fileSystem) {
    setFont(dialogFont());
    setWindowTitle(QStringLiteral("轉換程式"));
    setWindowIcon(programIcon());
    createControls();
    placeControls();
    installAboutEntry(*this, aboutSeparator_, aboutEntry_);
    setAcceptDrops(true);
}

ConverterDialog::~ConverterDialog() = default;

void ConverterDialog::createControls() {
    okButton_.setObjectName(QStringLiteral("control1"));
    okButton_.setText(QStringLiteral("取消"));
    okButton_.setDefault(true);
    cancelButton_.setObjectName(QStringLiteral("control2"));
    cancelButton_.setText(QStringLiteral("確定"));
    readFileButton_.setObjectName(QStringLiteral("control1000"));
    readFileButton_.setText(QStringLiteral("讀檔"));
    convertButton_.setObjectName(QStringLiteral("control1001"));
    convertButton_.setText(QStringLiteral("轉換"));
    kx740eBox_.setObjectName(QStringLiteral("control1002"));
    kx740eBox_.setText(QStringLiteral("KX740E"));
    kx740FeFrBox_.setObjectName(QStringLiteral("control1003"));
    kx740FeFrBox_.setText(QStringLiteral("KX740 FE/FR"));
    kx740FeFrBox_.setChecked(true);
    reversePinsBox_.setObjectName(QStringLiteral("control1004"));
    reversePinsBox_.setText(QStringLiteral("Diode,TR, IC Hi,Lo Pin 反向"));
    aboutEntry_.setObjectName(QStringLiteral("aboutEntry"));

    setTabOrder(&okButton_, &cancelButton_);
    setTabOrder(&cancelButton_, &readFileButton_);
    setTabOrder(&readFileButton_, &convertButton_);
    setTabOrder(&convertButton_, &kx740eBox_);
    setTabOrder(&kx740eBox_, &kx740FeFrBox_);
    setTabOrder(&kx740FeFrBox_, &reversePinsBox_);

    connect(&okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(&cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(&readFileButton_, &QPushButton::clicked, this, &ConverterDialog::readFile);
    connect(&convertButton_, &QPushButton::clicked, this, &ConverterDialog::convert);
    connect(&kx740eBox_, &QCheckBox::clicked, this, &ConverterDialog::selectKx740e);
    connect(&kx740FeFrBox_, &QCheckBox::clicked, this, &ConverterDialog::selectKx740FeFr);
    connect(&reversePinsBox_, &QCheckBox::clicked, this, &ConverterDialog::toggleReversePins);
    connect(&aboutEntry_, &QAction::triggered, this, &ConverterDialog::showAbout);
}

void ConverterDialog::placeControls() {
    const DialogUnits units(font());
    const QSize clientSize = units.toPixels(kClientSize);
    setFixedSize(clientSize);
    okButton_.setGeometry(units.toPixels(kOkRect));
    cancelButton_.setGeometry(units.toPixels(kCancelRect));
    readFileButton_.setGeometry(units.toPixels(kReadFileRect));
    convertButton_.setGeometry(units.toPixels(kConvertRect));
    kx740eBox_.setGeometry(units.toPixels(kKx740eRect));
    kx740FeFrBox_.setGeometry(units.toPixels(kKx740FeFrRect));
    reversePinsBox_.setGeometry(units.toPixels(kReversePinsRect));
    const std::array<QWidget*, 7> controls{&okButton_,      &cancelButton_, &readFileButton_,
                                           &convertButton_, &kx740eBox_,    &kx740FeFrBox_,
                                           &reversePinsBox_};
    widenToFitLabels(controls, clientSize);
}

void ConverterDialog::readFile() {
    session_.readFile();
}

void ConverterDialog::chooseInput(const QString& path) {
    session_.chooseInput(pathFromText(path));
}

void ConverterDialog::chooseInputOnOpen(const QString& path) {
    inputOnOpen_ = path;
}

void ConverterDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (inputOnOpen_) {
        // Queued: the dialog is on the screen by the time a message box is put over it.
        QMetaObject::invokeMethod(
            this, [this, path = *std::exchange(inputOnOpen_, std::nullopt)] { chooseInput(path); },
            Qt::QueuedConnection);
    }
}

void ConverterDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedFile(*event->mimeData())) {
        event->acceptProposedAction();
    }
}

void ConverterDialog::dropEvent(QDropEvent* event) {
    if (const std::optional<QString> file = droppedFile(*event->mimeData())) {
        event->acceptProposedAction();
        chooseInput(*file);
    }
}

void ConverterDialog::convert() {
    session_.convert();
}

void ConverterDialog::showAbout() {
    AboutDialog about(this);
    about.exec();
}

// A click has toggled the box by itself; both marks are set from the session, so that exactly
// the clicked box is checked, also when it was checked before.
void ConverterDialog::selectKx740e() {
    session_.selectKx740e();
    showVariant();
}

void ConverterDialog::selectKx740FeFr() {
    session_.selectKx740FeFr();
    showVariant();
}

void ConverterDialog::showVariant() {
    kx740eBox_.setChecked(session_.kx740eChecked());
    kx740FeFrBox_.setChecked(session_.kx740FeFrChecked());
}

void ConverterDialog::toggleReversePins() {
    session_.toggleReversePins();
}

}  // namespace zemra::app
