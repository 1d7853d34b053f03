#include <QAbstractButton>
#include <QDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLabel>
#include <QTest>

#include "about_dialog.h"
#include "converter_dialog.h"
#include "scripted_prompts.h"

namespace zemra::app::testing {
namespace {

// Pixels of a dialog font's units: a quarter of its average Latin letter width across, an
// eighth of its height down.
struct FontUnits {
    explicit FontUnits(const QFont& font)
        : across(QFontMetricsF(font).horizontalAdvance(
                     QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                 52.0 / 4.0),
          down(QFontMetrics(font).height() / 8.0) {}

    QRect rect(int x, int y, int width, int height) const {
        return {qRound(x * across), qRound(y * down), qRound(width * across),
                qRound(height * down)};
    }

    double across;
    double down;
};

// The width a control needs to show its label whole.
int neededWidth(const QWidget& control) {
    return control.sizeHint().width();
}

QString textOf(const QWidget& control) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        return label->text();
    }
    return {};
}

QList<QWidget*> controlsOf(QDialog& dialog) {
    return dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

void addTemplateColumns() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("units");
}

// Each control where the template puts it, in pixels of the dialog's font; a control may only
// have been widened to the right, and then no more than its label needs.
void verifyTemplatePlace(QDialog& dialog, const QString& name, const QRect& units) {
    const FontUnits font(dialog.font());
    const QRect expected = font.rect(units.x(), units.y(), units.width(), units.height());
    auto* control = dialog.findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    const QRect actual = control->geometry();
    QCOMPARE(actual.topLeft(), expected.topLeft());
    QCOMPARE(actual.height(), expected.height());
    QVERIFY(actual.width() >= expected.width());
    if (actual.width() > expected.width()) {
        QCOMPARE(actual.width(), neededWidth(*control));
    }
}

void verifyNothingOverlaps(QDialog& dialog) {
    const QList<QWidget*> controls = controlsOf(dialog);
    QVERIFY(controls.size() >= 4);
    const QRect client(QPoint(0, 0), dialog.size());
    for (const QWidget* control : controls) {
        QVERIFY2(client.contains(control->geometry()), qPrintable(control->objectName()));
        for (const QWidget* other : controls) {
            if (other != control) {
                QVERIFY2(!control->geometry().intersects(other->geometry()),
                         qPrintable(control->objectName() + " / " + other->objectName()));
            }
        }
    }
}

void verifyLabelsFit(QDialog& dialog) {
    for (const QWidget* control : controlsOf(dialog)) {
        const QString text = textOf(*control);
        if (text.isEmpty()) {
            continue;
        }
        const QFontMetrics metrics(control->font());
        QVERIFY2(control->width() >= neededWidth(*control), qPrintable(text));
        QVERIFY2(control->height() >= metrics.height(), qPrintable(text));
        for (const QChar character : text) {
            QVERIFY2(metrics.inFont(character), qPrintable(text));
        }
    }
}

}  // namespace

// Both dialogs laid out from their templates in the dialog font's units.
class DialogGeometryTest : public QObject {
    Q_OBJECT

  private:
    ScriptedPrompts prompts_;

  private slots:
    void dialogsUseAMingFontAtNinePoints() {
        ConverterDialog main(prompts_);
        AboutDialog about;
        for (const QDialog* dialog :
             {static_cast<QDialog*>(&main), static_cast<QDialog*>(&about)}) {
            const QFontInfo font(dialog->font());
            QVERIFY2(
                QStringList({"新細明體", "PMingLiU", "AR PL UMing TW"}).contains(font.family()),
                qPrintable(font.family()));
            QCOMPARE(font.pointSize(), 9);
        }
    }

    void dialogsHaveTheirTemplateSizes() {
        ConverterDialog main(prompts_);
        QCOMPARE(main.size(), FontUnits(main.font()).rect(0, 0, 209, 83).size());
        QCOMPARE(main.minimumSize(), main.maximumSize());
        AboutDialog about;
        QCOMPARE(about.size(), FontUnits(about.font()).rect(0, 0, 235, 55).size());
        QCOMPARE(about.windowTitle(), QStringLiteral("關於轉換程式"));
    }

    void mainControlsSitAtTheirTemplatePlaces_data() {
        addTemplateColumns();
        QTest::newRow("1") << "control1" << QRect(149, 33, 50, 14);
        QTest::newRow("2") << "control2" << QRect(149, 13, 50, 14);
        QTest::newRow("1000") << "control1000" << QRect(10, 59, 50, 14);
        QTest::newRow("1001") << "control1001" << QRect(67, 59, 50, 14);
        QTest::newRow("1002") << "control1002" << QRect(10, 27, 50, 10);
        QTest::newRow("1003") << "control1003" << QRect(10, 15, 58, 10);
        QTest::newRow("1004") << "control1004" << QRect(10, 39, 104, 10);
    }
    void mainControlsSitAtTheirTemplatePlaces() {
        QFETCH(QString, name);
        QFETCH(QRect, units);
        ConverterDialog dialog(prompts_);
        verifyTemplatePlace(dialog, name, units);
    }

    void aboutControlsSitAtTheirTemplatePlaces_data() {
        addTemplateColumns();
        QTest::newRow("version") << "versionText" << QRect(40, 10, 119, 8);
        QTest::newRow("second line") << "purposeText" << QRect(40, 25, 119, 8);
        QTest::newRow("OK") << "control1" << QRect(178, 7, 50, 14);
    }
    void aboutControlsSitAtTheirTemplatePlaces() {
        QFETCH(QString, name);
        QFETCH(QRect, units);
        AboutDialog dialog;
        verifyTemplatePlace(dialog, name, units);
    }

    void aboutIconSitsAtItsPlaceInItsOwnSize() {
        AboutDialog dialog;
        const auto* icon = dialog.findChild<QLabel*>(QStringLiteral("icon128"));
        QCOMPARE(icon->pos(), FontUnits(dialog.font()).rect(11, 17, 20, 20).topLeft());
        QCOMPARE(icon->pixmap().size(), QSize(32, 32));
    }

    void mainControlsNeitherOverlapNorCutTheirLabels() {
        ConverterDialog dialog(prompts_);
        verifyNothingOverlaps(dialog);
        verifyLabelsFit(dialog);
    }

    void aboutControlsNeitherOverlapNorCutTheirLabels() {
        AboutDialog dialog;
        verifyNothingOverlaps(dialog);
        verifyLabelsFit(dialog);
    }

    void messagesHaveAHangulFont() {
        QVERIFY(!QFontDatabase::families(QFontDatabase::Korean).isEmpty());
    }
};

}  // namespace zemra::app::testing

int runDialogGeometryTests(int argc, char** argv) {
    zemra::app::testing::DialogGeometryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "dialog_geometry_test.moc"
