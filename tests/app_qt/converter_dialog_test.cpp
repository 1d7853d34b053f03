#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "converter_dialog.h"
#include "modal_dialogs.h"
#include "scripted_prompts.h"

namespace zemra::app::testing {

// The main dialog's options and ways out.
class ConverterDialogTest : public QObject {
    Q_OBJECT

  private:
    ScriptedPrompts prompts_;
    std::unique_ptr<ConverterDialog> dialog_;

    QCheckBox& box(const char* name) {
        return *dialog_->findChild<QCheckBox*>(QString::fromLatin1(name));
    }

  private slots:
    void init() {
        prompts_ = ScriptedPrompts{};
        dialog_ = std::make_unique<ConverterDialog>(prompts_, systemFileSystem());
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    }
    void cleanup() { dialog_.reset(); }

    void startsWithFeFrAndPinsAsTheyAre() {
        QCOMPARE(dialog_->windowTitle(), QStringLiteral("轉換程式"));
        QVERIFY(box("control1003").isChecked());
        QVERIFY(!box("control1002").isChecked());
        QVERIFY(!box("control1004").isChecked());
        QCOMPARE(dialog_->variantCode(), 'E');
        QCOMPARE(dialog_->reversePins(), 0);
        QVERIFY(dialog_->findChild<QPushButton*>(QStringLiteral("control1"))->isDefault());
        QVERIFY(!dialog_->windowIcon().isNull());
        QVERIFY(!(dialog_->windowFlags() &
                  (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    void tabFollowsTheTemplateOrder() {
        QStringList chain;
        QWidget* control = dialog_->findChild<QPushButton*>(QStringLiteral("control1"));
        for (int step = 0; step < 7; ++step, control = control->nextInFocusChain()) {
            chain << control->objectName();
        }
        QCOMPARE(chain, QStringList({"control1", "control2", "control1000", "control1001",
                                     "control1002", "control1003", "control1004"}));
    }

    // Clicks on the variant boxes: "E" on "KX740E", "F" on "KX740 FE/FR".
    void variantBoxesActAsAPair_data() {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<bool>("kx740eChecked");
        QTest::addColumn<char>("variantCode");
        QTest::newRow("KX740E once") << "E" << true << 'F';
        QTest::newRow("KX740E twice") << "EE" << true << 'F';
        QTest::newRow("KX740E three times") << "EEE" << true << 'F';
        QTest::newRow("FE/FR when checked") << "F" << false << 'E';
        QTest::newRow("FE/FR three times") << "FFF" << false << 'E';
        QTest::newRow("KX740E twice, then FE/FR") << "EEF" << false << 'E';
        QTest::newRow("back and forth") << "EFEFE" << true << 'F';
    }
    void variantBoxesActAsAPair() {
        QFETCH(QString, clicks);
        QFETCH(bool, kx740eChecked);
        QFETCH(char, variantCode);
        for (const QChar click : clicks) {
            QTest::mouseClick(&box(click == u'E' ? "control1002" : "control1003"), Qt::LeftButton);
        }
        QCOMPARE(box("control1002").isChecked(), kx740eChecked);
        QCOMPARE(box("control1003").isChecked(), !kx740eChecked);
        QCOMPARE(dialog_->variantCode(), variantCode);
        QCOMPARE(dialog_->reversePins(), 0);
    }

    void reverseBoxToggles_data() {
        QTest::addColumn<int>("clicks");
        QTest::newRow("once") << 1;
        QTest::newRow("twice") << 2;
        QTest::newRow("three times") << 3;
    }
    void reverseBoxToggles() {
        QFETCH(int, clicks);
        for (int click = 0; click < clicks; ++click) {
            QTest::mouseClick(&box("control1004"), Qt::LeftButton);
        }
        QCOMPARE(dialog_->reversePins(), clicks % 2);
        QCOMPARE(box("control1004").isChecked(), clicks % 2 == 1);
        QCOMPARE(dialog_->variantCode(), 'E');
    }

    void everyWayOutClosesTheDialog_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("result");
        QTest::newRow("control 1") << "control1" << int{QDialog::Accepted};
        QTest::newRow("control 2") << "control2" << int{QDialog::Rejected};
        QTest::newRow("Enter") << "Enter" << int{QDialog::Accepted};
        QTest::newRow("Esc") << "Esc" << int{QDialog::Rejected};
        QTest::newRow("close") << "close" << int{QDialog::Rejected};
    }
    void everyWayOutClosesTheDialog() {
        QFETCH(QString, way);
        QFETCH(int, result);
        // Keys go to a check box, which leaves Enter and Esc to the dialog.
        QCheckBox& focused = box("control1004");
        focused.setFocus();
        if (way == "Enter" || way == "Esc") {
            QTest::keyClick(&focused, way == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
        } else if (way == "close") {
            dialog_->close();
        } else {
            QTest::mouseClick(dialog_->findChild<QPushButton*>(way), Qt::LeftButton);
        }
        QVERIFY(!dialog_->isVisible());
        QCOMPARE(dialog_->result(), result);
        QVERIFY(prompts_.messages.isEmpty());
    }

    void aboutEntryOpensTheAboutBox() {
        const QList<QAction*> entries = dialog_->actions();
        QCOMPARE(entries.size(), 2);
        QVERIFY(entries[0]->isSeparator());
        QCOMPARE(entries[1]->text(), QStringLiteral("About zemra(&A)..."));
#ifndef Q_OS_WIN
        QCOMPARE(dialog_->contextMenuPolicy(), Qt::ActionsContextMenu);
#endif

        QString title;
        QStringList texts;
        bool closedByOk = false;
        const ModalWatch watch("the About box", [&](QWidget& about) {
            title = about.windowTitle();
            for (const QLabel* label : about.findChildren<QLabel*>()) {
                texts << label->text();
            }
            auto* ok = about.findChild<QPushButton*>(QStringLiteral("control1"));
            if (ok != nullptr && ok->isDefault() && ok->text() == QStringLiteral("確定")) {
                QTest::mouseClick(ok, Qt::LeftButton);
                closedByOk = !about.isVisible();
            }
        });
        entries[1]->trigger();
        QCOMPARE(title, QStringLiteral("關於轉換程式"));
        QVERIFY(texts.contains(QStringLiteral("轉換程式Ver.1.0")));
        QVERIFY(closedByOk);
        QVERIFY(dialog_->isVisible());
    }
};

}  // namespace zemra::app::testing

int runConverterDialogTests(int argc, char** argv) {
    zemra::app::testing::ConverterDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "converter_dialog_test.moc"
