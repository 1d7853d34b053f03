#include <QAbstractButton>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QTest>

#include "about_dialog.h"
#include "converter_dialog.h"
#include "label_fit.h"
#include "scripted_prompts.h"

namespace zemra::app::testing {
namespace {

// A dialog unit in pixels of the dialog's font: a quarter of its average Latin letter width
// across, an eighth of its height down.
QRect pixelsOf(const QFont& font, const QRect& units) {
    const double across = QFontMetricsF(font).horizontalAdvance(QStringLiteral(
                              "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                          52.0 / 4.0;
    const double down = QFontMetrics(font).height() / 8.0;
    return {qRound(units.x() * across), qRound(units.y() * down), qRound(units.width() * across),
            qRound(units.height() * down)};
}

QString labelOf(const QWidget& control) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        return button->text();
    }
    const auto* label = qobject_cast<const QLabel*>(&control);
    return label != nullptr ? label->text() : QString();
}

}  // namespace

// Both dialogs laid out from their templates in the dialog font's units.
class DialogGeometryTest : public QObject {
    Q_OBJECT

  private:
    ScriptedPrompts prompts_;

    // Builds the dialog of a row: "main" or "about".
    std::unique_ptr<QDialog> dialogNamed(const QString& name) {
        if (name == "main") {
            return std::make_unique<ConverterDialog>(prompts_, systemFileSystem());
        }
        return std::make_unique<AboutDialog>();
    }

  private slots:
    void dialogsUseAMingFontAtTheirTemplateSize_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QRect>("units");
        QTest::newRow("main") << "main" << QRect(0, 0, 209, 83);
        QTest::newRow("about") << "about" << QRect(0, 0, 235, 55);
    }
    void dialogsUseAMingFontAtTheirTemplateSize() {
        QFETCH(QString, dialog);
        QFETCH(QRect, units);
        const auto window = dialogNamed(dialog);
        const QFontInfo font(window->font());
        QVERIFY2(QStringList({"新細明體", "PMingLiU", "AR PL UMing TW"}).contains(font.family()),
                 qPrintable(font.family()));
        QCOMPARE(font.pointSize(), 9);
        QCOMPARE(window->size(), pixelsOf(window->font(), units).size());
        QCOMPARE(window->minimumSize(), window->maximumSize());
        // The messages are Korean; the dialogs' font has no Hangul, so another font must.
        QVERIFY(!QFontDatabase::families(QFontDatabase::Korean).isEmpty());
    }

    // Each control where its template puts it, of its kind and with its label. A control may have
    // been widened to the right, and then only as far as its label needs.
    void controlsSitAtTheirTemplatePlaces_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QRect>("units");
        QTest::newRow("1") << "main"
                           << "control1"
                           << "QPushButton"
                           << "取消" << QRect(149, 33, 50, 14);
        QTest::newRow("2") << "main"
                           << "control2"
                           << "QPushButton"
                           << "確定" << QRect(149, 13, 50, 14);
        QTest::newRow("1000") << "main"
                              << "control1000"
                              << "QPushButton"
                              << "讀檔" << QRect(10, 59, 50, 14);
        QTest::newRow("1001") << "main"
                              << "control1001"
                              << "QPushButton"
                              << "轉換" << QRect(67, 59, 50, 14);
        QTest::newRow("1002") << "main"
                              << "control1002"
                              << "QCheckBox"
                              << "KX740E" << QRect(10, 27, 50, 10);
        QTest::newRow("1003") << "main"
                              << "control1003"
                              << "QCheckBox"
                              << "KX740 FE/FR" << QRect(10, 15, 58, 10);
        QTest::newRow("1004") << "main"
                              << "control1004"
                              << "QCheckBox"
                              << "Diode,TR, IC Hi,Lo Pin 反向" << QRect(10, 39, 104, 10);
        QTest::newRow("about text") << "about"
                                    << "versionText"
                                    << "QLabel"
                                    << "轉換程式Ver.1.0" << QRect(40, 10, 119, 8);
        QTest::newRow("about line 2") << "about"
                                      << "purposeText"
                                      << "QLabel" << QString() << QRect(40, 25, 119, 8);
        QTest::newRow("about OK") << "about"
                                  << "control1"
                                  << "QPushButton"
                                  << "確定" << QRect(178, 7, 50, 14);
    }
    void controlsSitAtTheirTemplatePlaces() {
        QFETCH(QString, dialog);
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, label);
        QFETCH(QRect, units);
        const auto window = dialogNamed(dialog);
        const auto* control = window->findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
        if (!label.isNull()) {
            QCOMPARE(labelOf(*control), label);
        }
        const QRect expected = pixelsOf(window->font(), units);
        QCOMPARE(control->pos(), expected.topLeft());
        QCOMPARE(control->height(), expected.height());
        QVERIFY(control->width() >= expected.width());
        if (control->width() > expected.width()) {
            QCOMPARE(control->width(), widthForLabel(*control));
        }
    }

    void aboutIconSitsAtItsPlaceInItsOwnSize() {
        AboutDialog dialog;
        const auto* icon = dialog.findChild<QLabel*>(QStringLiteral("icon128"));
        QCOMPARE(icon->pos(), pixelsOf(dialog.font(), QRect(11, 17, 20, 20)).topLeft());
        QCOMPARE(icon->pixmap().size(), QSize(32, 32));
    }

    void controlsNeitherOverlapNorCutTheirLabels_data() {
        QTest::addColumn<QString>("dialog");
        QTest::newRow("main") << "main";
        QTest::newRow("about") << "about";
    }
    void controlsNeitherOverlapNorCutTheirLabels() {
        QFETCH(QString, dialog);
        const auto window = dialogNamed(dialog);
        const auto controls = window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        const QRect client(QPoint(0, 0), window->size());
        for (const QWidget* control : controls) {
            const QString name = control->objectName();
            QVERIFY2(client.contains(control->geometry()), qPrintable(name));
            for (const QWidget* other : controls) {
                QVERIFY2(other == control || !control->geometry().intersects(other->geometry()),
                         qPrintable(name + " / " + other->objectName()));
            }
            const QString label = labelOf(*control);
            const QFontMetrics metrics(control->font());
            QVERIFY2(label.isEmpty() || control->width() >= widthForLabel(*control),
                     qPrintable(name));
            QVERIFY2(label.isEmpty() || control->height() >= metrics.height(), qPrintable(name));
            for (const QChar character : label) {
                QVERIFY2(metrics.inFont(character), qPrintable(label));
            }
        }
    }
};

}  // namespace zemra::app::testing

int runDialogGeometryTests(int argc, char** argv) {
    zemra::app::testing::DialogGeometryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "dialog_geometry_test.moc"
