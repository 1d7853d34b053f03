#pragma once

#include <memory>
#include <optional>

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QString>

#include "converter_session.h"
#include "decode/step_fields.h"
#include "files/file_system.h"
#include "operator_prompts.h"

namespace zemra::app {

// The main dialog: the operator chooses a component file, the tester variant and the
// reverse-pins option, and converts, with the files of `fileSystem`. Each control's object name
// carries its control number.
class ConverterDialog : public QDialog {
    Q_OBJECT

  public:
    ConverterDialog(OperatorPrompts& prompts, FileSystem& fileSystem, QWidget* parent = nullptr);
    ~ConverterDialog() override;

    // 'E' for "KX740 FE/FR", 'F' for "KX740E".
    char variantCode() const { return session_.variant() == TesterVariant::Kx740e ? 'F' : 'E'; }
    int reversePins() const { return session_.reversePins() ? 1 : 0; }

    // Makes `path` the chosen input as Read file does with the file the operator picked: a file
    // that cannot be opened is reported, and stays the choice all the same.
    void chooseInput(const QString& path);
    // Chooses `path` once the dialog is open, so that a failure is reported over it.
    void chooseInputOnOpen(const QString& path);

  public slots:
    void readFile();
    void convert();
    void showAbout();

  protected:
    void showEvent(QShowEvent* event) override;
    // A single local file dragged onto the dialog is taken as the input when dropped.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void createControls();
    void placeControls();
    void selectKx740e();
    void selectKx740FeFr();
    void toggleReversePins();
    void showVariant();

    class QtFrontEnd;
    std::unique_ptr<QtFrontEnd> frontEnd_;
    ConverterSession session_;
    std::optional<QString> inputOnOpen_;

    // In tab order. Control 1, labelled "取消", is the dialog's OK command and control 2,
    // labelled "確定", its Cancel command; both end the program alike.
    QPushButton okButton_{this};
    QPushButton cancelButton_{this};
    QPushButton readFileButton_{this};
    QPushButton convertButton_{this};
    QCheckBox kx740eBox_{this};
    QCheckBox kx740FeFrBox_{this};
    QCheckBox reversePinsBox_{this};

    QAction aboutSeparator_{this};
    QAction aboutEntry_{this};
};

}  // namespace zemra::app
