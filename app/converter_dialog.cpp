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
#include "run/convert_file.h"
#include "run/local_date_time.h"
#include "run/messages.h"

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

QString fileMissingText() {
    return QString::fromUtf8(operatorText(MessageKind::FileMissing));
}

// Shown for a Convert before any component file was chosen.
QString chooseInputFirstMessage() {
    return QStringLiteral("먼저 CMP 파일을 선택하십시오.");
}

// Keeps the wait cursor up while a conversion runs, and takes it down however the run ends.
class WaitCursor {
  public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

ConverterDialog::ConverterDialog(OperatorPrompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      prompts_(prompts) {
    setFont(dialogFont());
    setWindowTitle(QStringLiteral("轉換程式"));
    setWindowIcon(programIcon());
    createControls();
    placeControls();
    installAboutEntry(*this, aboutSeparator_, aboutEntry_);
    setAcceptDrops(true);
}

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
    const std::optional<QString> chosen = prompts_.chooseInputFile(*this);
    if (chosen) {
        chooseInput(*chosen);
    }
}

void ConverterDialog::chooseInput(const QString& path) {
    if (!input_.choose(pathFromText(path))) {
        showMessage(fileMissingText());
    }
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
    if (!input_.hasChoice()) {
        showMessage(chooseInputFirstMessage());
        return;
    }
    std::optional<InputFile> input = input_.takeInput();
    if (!input) {
        showMessage(fileMissingText());
        return;
    }
    const ConversionSettings settings{{variant_, reversePins_}, currentLocalDateTime()};
    std::vector<RunMessage> messages;
    {
        const WaitCursor waitCursor;
        FileSystem& fileSystem = systemFileSystem();
        convertInput(fileSystem, *input, input_.title(),
                     makeOutputFolder(fileSystem, input_.outputParent(), input_.title()), settings,
                     [&messages](const RunMessage& message) { messages.push_back(message); });
    }
    // The run has finished its files by now; the operator reads its messages in their order.
    for (const RunMessage& message : messages) {
        showMessage(QString::fromUtf8(operatorText(message.kind)));
    }
}

void ConverterDialog::showAbout() {
    AboutDialog about(this);
    about.exec();
}

bool ConverterDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    if (isAboutEntryChoice(eventType, message)) {
        showAbout();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}

void ConverterDialog::selectKx740e() {
    kx740eBox_.setChecked(true);
    kx740FeFrBox_.setChecked(false);
    variant_ = TesterVariant::Kx740e;
}

void ConverterDialog::selectKx740FeFr() {
    kx740eBox_.setChecked(false);
    kx740FeFrBox_.setChecked(true);
    variant_ = TesterVariant::Kx740FeFr;
}

void ConverterDialog::toggleReversePins() {
    reversePins_ = !reversePins_;
}

void ConverterDialog::showMessage(const QString& text) {
    prompts_.showMessage(*this, text);
}

}  // namespace zemra::app
