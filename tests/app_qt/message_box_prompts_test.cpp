#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include "board_files.h"
#include "input_file_dialog.h"
#include "message_box_prompts.h"
#include "modal_dialogs.h"

namespace zemra::app::testing {

// The real file dialog and message boxes behind the main dialog's prompts.
class MessageBoxPromptsTest : public QObject {
    Q_OBJECT

  private:
    QWidget owner_;
    MessageBoxPrompts prompts_;

  private slots:
    void messageIsAWarningWithOkOnly() {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        const ModalWatch watch("the message box", [&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            if (box == nullptr) {
                return;
            }
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->standardButtons();
            QTest::keyClick(box, Qt::Key_Return);
        });
        prompts_.showMessage(owner_, QStringLiteral("변환을 마쳤습니다"));
        QCOMPARE(title, QStringLiteral("zemra"));
        QCOMPARE(text, QStringLiteral("변환을 마쳤습니다"));
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    // Component files first; "All Files (*.*)" lists every file, also one without a dot.
    void fileDialogOffersComponentFilesFirst() {
        const auto dialog = makeInputFileDialog(owner_);
        QCOMPARE(dialog->nameFilters(), QStringList({QStringLiteral("CMP파일(*.cmp)"),
                                                     QStringLiteral("All Files (*.*)")}));
        QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("CMP파일(*.cmp)"));
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
        auto* model = dialog->findChild<QFileSystemModel*>();
        auto* filters = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        if (model == nullptr || filters == nullptr) {
            QSKIP("the platform's own file dialog lists the files");
        }
        QVERIFY(!QDir::match(model->nameFilters(), QStringLiteral("BOARD7")));
        QTest::keyClick(filters, Qt::Key_Down);
        QCOMPARE(filters->currentText(), QStringLiteral("All Files (*.*)"));
        QVERIFY(QDir::match(model->nameFilters(), QStringLiteral("BOARD7")));
        QVERIFY(QDir::match(model->nameFilters(), QStringLiteral("BOARD7.cmp")));
    }

    void cancelledFileDialogGivesNothing() {
        const ModalWatch watch("the file dialog",
                               [](QWidget& modal) { QTest::keyClick(&modal, Qt::Key_Escape); });
        QCOMPARE(prompts_.chooseInputFile(owner_), std::optional<QString>());
    }

    // The operator types a name and confirms it; a name that names no file is taken all the same,
    // and opening it is what reports it.
    void typedNameIsTheChoice_data() {
        QTest::addColumn<bool>("exists");
        QTest::newRow("existing file") << true;
        QTest::newRow("missing file") << false;
    }
    void typedNameIsTheChoice() {
        QFETCH(bool, exists);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("BOARD7.cmp"));
        if (exists) {
            writeBoard(path.toStdU16String());
        }
        const ModalWatch watch("the file dialog", [&path](QWidget& modal) {
            auto* name = modal.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (name != nullptr) {
                name->setText(path);
                static_cast<QDialog&>(modal).accept();
            }
        });
        const std::optional<QString> chosen = prompts_.chooseInputFile(owner_);
        QVERIFY(chosen.has_value());
        QCOMPARE(*chosen, path);
    }
};

}  // namespace zemra::app::testing

int runMessageBoxPromptsTests(int argc, char** argv) {
    zemra::app::testing::MessageBoxPromptsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "message_box_prompts_test.moc"
