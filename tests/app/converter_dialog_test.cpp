#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "about_dialog.h"
#include "converter_dialog.h"
#include "modal_dialogs.h"
#include "scripted_prompts.h"

namespace zemra::app::testing {
namespace {

QStringList controlsInFocusChain(QWidget& first, int count) {
    QStringList names;
    QWidget* widget = &first;
    for (int index = 0; index < count; ++index) {
        names << widget->objectName();
        widget = widget->nextInFocusChain();
    }
    return names;
}

}  // namespace

// The main dialog's controls, options and ways to close.
class ConverterDialogTest : public QObject {
    Q_OBJECT

  private:
    ScriptedPrompts prompts_;

    QCheckBox& box(ConverterDialog& dialog, const char* name) {
        return *dialog.findChild<QCheckBox*>(QString::fromLatin1(name));
    }

  private slots:
    void init() { prompts_ = ScriptedPrompts{}; }

    void startsWithFeFrAndPinsAsTheyAre() {
        ConverterDialog dialog(prompts_);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("轉換程式"));
        QVERIFY(box(dialog, "control1003").isChecked());
        QVERIFY(!box(dialog, "control1002").isChecked());
        QVERIFY(!box(dialog, "control1004").isChecked());
        QCOMPARE(dialog.variantCode(), 'E');
        QCOMPARE(dialog.reversePins(), 0);
        QVERIFY(!dialog.windowIcon().isNull());
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void controlsCarryTheirLabels_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("label");
        QTest::newRow("1") << "control1"
                           << "QPushButton" << QStringLiteral("取消");
        QTest::newRow("2") << "control2"
                           << "QPushButton" << QStringLiteral("確定");
        QTest::newRow("1000") << "control1000"
                              << "QPushButton" << QStringLiteral("讀檔");
        QTest::newRow("1001") << "control1001"
                              << "QPushButton" << QStringLiteral("轉換");
        QTest::newRow("1002") << "control1002"
                              << "QCheckBox" << QStringLiteral("KX740E");
        QTest::newRow("1003") << "control1003"
                              << "QCheckBox" << QStringLiteral("KX740 FE/FR");
        QTest::newRow("1004") << "control1004"
                              << "QCheckBox" << QStringLiteral("Diode,TR, IC Hi,Lo Pin 反向");
    }
    void controlsCarryTheirLabels() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, label);
        ConverterDialog dialog(prompts_);
        auto* control = dialog.findChild<QAbstractButton*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
        QCOMPARE(control->text(), label);
        QVERIFY(control->isEnabled());
        QVERIFY((control->focusPolicy() & Qt::TabFocus) != 0);
    }

    void control1IsTheDefaultButton() {
        ConverterDialog dialog(prompts_);
        QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("control1"))->isDefault());
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("control2"))->isDefault());
    }

    void tabFollowsTheTemplateOrder() {
        ConverterDialog dialog(prompts_);
        auto& first = *dialog.findChild<QPushButton*>(QStringLiteral("control1"));
        QCOMPARE(controlsInFocusChain(first, 7),
                 QStringList({"control1", "control2", "control1000", "control1001", "control1002",
                              "control1003", "control1004"}));
    }

    // Clicks on the variant boxes, "E" for "KX740E" and "F" for "KX740 FE/FR".
    void variantBoxesActAsAPair_data() {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<bool>("kx740eChecked");
        QTest::addColumn<char>("variantCode");
        QTest::newRow("KX740E once") << "E" << true << 'F';
        QTest::newRow("KX740E twice") << "EE" << true << 'F';
        QTest::newRow("KX740E three times") << "EEE" << true << 'F';
        QTest::newRow("FE/FR when checked") << "F" << false << 'E';
        QTest::newRow("FE/FR twice") << "FF" << false << 'E';
        QTest::newRow("FE/FR three times") << "FFF" << false << 'E';
        QTest::newRow("KX740E twice, then FE/FR") << "EEF" << false << 'E';
        QTest::newRow("back and forth") << "EFEFE" << true << 'F';
    }
    void variantBoxesActAsAPair() {
        QFETCH(QString, clicks);
        QFETCH(bool, kx740eChecked);
        QFETCH(char, variantCode);
        ConverterDialog dialog(prompts_);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const QChar click : clicks) {
            QTest::mouseClick(&box(dialog, click == u'E' ? "control1002" : "control1003"),
                              Qt::LeftButton);
        }
        QCOMPARE(box(dialog, "control1002").isChecked(), kx740eChecked);
        QCOMPARE(box(dialog, "control1003").isChecked(), !kx740eChecked);
        QCOMPARE(dialog.variantCode(), variantCode);
    }

    void reverseBoxToggles_data() {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("reversePins");
        QTest::newRow("once") << 1 << 1;
        QTest::newRow("twice") << 2 << 0;
        QTest::newRow("three times") << 3 << 1;
    }
    void reverseBoxToggles() {
        QFETCH(int, clicks);
        QFETCH(int, reversePins);
        ConverterDialog dialog(prompts_);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (int click = 0; click < clicks; ++click) {
            QTest::mouseClick(&box(dialog, "control1004"), Qt::LeftButton);
        }
        QCOMPARE(box(dialog, "control1004").isChecked(), reversePins == 1);
        QCOMPARE(dialog.reversePins(), reversePins);
        QCOMPARE(dialog.variantCode(), 'E');
    }

    void reverseBoxTogglesFromTheKeyboard() {
        ConverterDialog dialog(prompts_);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCheckBox& reverse = box(dialog, "control1004");
        reverse.setFocus();
        QTest::keyClick(&reverse, Qt::Key_Space);
        QVERIFY(reverse.isChecked());
        QCOMPARE(dialog.reversePins(), 1);
    }

    // How the operator closes the dialog, and the result it ends with.
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
        ConverterDialog dialog(prompts_);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // Keys go to the reverse box, a control that does not take Enter or Esc itself.
        QCheckBox& focused = box(dialog, "control1004");
        focused.setFocus();
        if (way == "Enter") {
            QTest::keyClick(&focused, Qt::Key_Return);
        } else if (way == "Esc") {
            QTest::keyClick(&focused, Qt::Key_Escape);
        } else if (way == "close") {
            dialog.close();
        } else {
            QTest::mouseClick(dialog.findChild<QPushButton*>(way), Qt::LeftButton);
        }
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), result);
        QVERIFY(!focused.isChecked());
        QVERIFY(prompts_.messages.isEmpty());
    }

    void aboutEntryFollowsASeparator() {
        ConverterDialog dialog(prompts_);
        const QList<QAction*> actions = dialog.actions();
        QCOMPARE(actions.size(), 2);
        QVERIFY(actions[0]->isSeparator());
        QCOMPARE(actions[1]->text(), QStringLiteral("About zemra(&A)..."));
        QCOMPARE(dialog.contextMenuPolicy(), Qt::ActionsContextMenu);
    }

    void aboutEntryOpensTheAboutBox() {
        ConverterDialog dialog(prompts_);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QString title;
        QStringList texts;
        bool closedByOk = false;
        whenModalShown([&](QWidget& modal) {
            title = modal.windowTitle();
            for (const QLabel* label : modal.findChildren<QLabel*>()) {
                texts << label->text();
            }
            auto* ok = modal.findChild<QPushButton*>(QStringLiteral("control1"));
            if (ok != nullptr && ok->isDefault() && ok->text() == QStringLiteral("確定")) {
                QTest::mouseClick(ok, Qt::LeftButton);
                closedByOk = !modal.isVisible();
            }
        });
        dialog.findChild<QAction*>(QStringLiteral("aboutEntry"))->trigger();
        QCOMPARE(title, QStringLiteral("關於轉換程式"));
        QVERIFY(texts.contains(QStringLiteral("轉換程式Ver.1.0")));
        QVERIFY(closedByOk);
        QVERIFY(dialog.isVisible());
    }
};

}  // namespace zemra::app::testing

int runConverterDialogTests(int argc, char** argv) {
    zemra::app::testing::ConverterDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "converter_dialog_test.moc"
