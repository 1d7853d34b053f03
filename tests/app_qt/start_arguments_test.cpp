#include <QTest>

#include "start_arguments.h"

namespace zemra::app::testing {

// What the command line of zemra asks for.
class StartArgumentsTest : public QObject {
    Q_OBJECT

  private slots:
    void filesOpenTheDialogWithThatInput_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("input");
        QTest::newRow("no file") << QStringList({"zemra"}) << QString();
        QTest::newRow("a file") << QStringList({"zemra", "/boards/BOARD7.cmp"})
                                << "/boards/BOARD7.cmp";
        QTest::newRow("a file named like an option after --")
            << QStringList({"zemra", "--", "--help"}) << "--help";
    }
    void filesOpenTheDialogWithThatInput() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, input);
        const StartRequest request = readStartArguments(arguments);
        const auto* open = std::get_if<OpenDialog>(&request);
        QVERIFY(open != nullptr);
        QCOMPARE(open->input.has_value(), !input.isNull());
        QCOMPARE(open->input.value_or(QString()), input);
    }

    void optionsAreAnsweredOnTheTerminal_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("text");  // the answer begins with it
        QTest::addColumn<int>("exitStatus");
        QTest::newRow("help") << QStringList({"zemra", "--help", "a.cmp"})
                              << "Usage: zemra [options] [FILE]\n"
                              << 0;
        QTest::newRow("short help")
            << QStringList({"zemra", "-h"}) << "Usage: zemra [options] [FILE]\n"
            << 0;
        QTest::newRow("version") << QStringList({"zemra", "--version"}) << "zemra 1.0.0.1\n" << 0;
        QTest::newRow("two files") << QStringList({"zemra", "a.cmp", "b.cmp"})
                                   << "zemra: one FILE at most\nTry 'zemra --help'" << 2;
        QTest::newRow("unknown option")
            << QStringList({"zemra", "--frobnicate"}) << "zemra: Unknown option 'frobnicate'." << 2;
    }
    void optionsAreAnsweredOnTheTerminal() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, text);
        QFETCH(int, exitStatus);
        const StartRequest request = readStartArguments(arguments);
        const auto* answer = std::get_if<AnswerOnTerminal>(&request);
        QVERIFY(answer != nullptr);
        QVERIFY2(answer->text.startsWith(text), qPrintable(answer->text));
        QCOMPARE(answer->exitStatus, exitStatus);
        QCOMPARE(answer->isError, exitStatus != 0);
    }
};

}  // namespace zemra::app::testing

int runStartArgumentsTests(int argc, char** argv) {
    zemra::app::testing::StartArgumentsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "start_arguments_test.moc"
