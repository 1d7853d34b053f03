#include <filesystem>
#include <string>

#include <QAbstractButton>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "board_files.h"
#include "converter_dialog.h"
#include "scripted_prompts.h"

namespace zemra::app::testing {
namespace {

namespace fs = std::filesystem;

const QString kConverted = QStringLiteral("변환을 마쳤습니다");
const QString kFileMissing = QStringLiteral("파일이 존재하지 않습니다.");
const QString kChooseFirst = QStringLiteral("먼저 CMP 파일을 선택하십시오.");

}  // namespace

// A component file given to the program when it starts, or dropped onto the dialog, is chosen
// as "讀檔" chooses the file the operator picks.
class InputFromDesktopTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::unique_ptr<ConverterDialog> dialog_;

    fs::path folder() const { return fs::path(folder_->path().toStdU16String()); }

    // "good" is a board, "missing" names nothing, "folder" is a folder.
    fs::path inputNamed(const QString& kind) {
        const fs::path path = folder() / (kind.toStdString() + ".cmp");
        if (kind == "good") {
            writeBoard(path);
        } else if (kind == "folder") {
            fs::create_directory(path);
        }
        return path;
    }

    void open() {
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
        QCoreApplication::processEvents();
    }

    void click(const char* control) {
        QTest::mouseClick(dialog_->findChild<QAbstractButton*>(QString::fromLatin1(control)),
                          Qt::LeftButton);
    }

    // Drags `data` over the dialog and drops it there; whether the dialog took the drag.
    bool drag(const QMimeData& data) {
        const QPointF middle(dialog_->width() / 2.0, dialog_->height() / 2.0);
        QDragEnterEvent enter(middle.toPoint(), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(dialog_.get(), &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent drop(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(dialog_.get(), &drop);
        return drop.isAccepted();
    }

    static void addInputRows() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("messagesWhenChosen");
        QTest::newRow("good file") << "good" << QStringList();
        QTest::newRow("missing file") << "missing" << QStringList({kFileMissing});
        QTest::newRow("folder") << "folder" << QStringList({kFileMissing});
    }

    // Convert after the choice: the good file is converted beside itself, and the others are
    // reported again without a file written.
    void expectConvertOf(const QString& kind, const QStringList& messagesWhenChosen) {
        const auto before = entriesUnder(folder());
        click("control1001");
        if (kind == "good") {
            QCOMPARE(prompts_->messages, messagesWhenChosen + QStringList({kConverted}));
            QVERIFY(fs::is_regular_file(folder() / "good" / "good.dat"));
        } else {
            QCOMPARE(prompts_->messages, messagesWhenChosen + QStringList({kFileMissing}));
            QCOMPARE(entriesUnder(folder()), before);
        }
        QVERIFY(!prompts_->ownerHiddenDuringMessage);
    }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        prompts_ = std::make_unique<ScriptedPrompts>();
        dialog_ = std::make_unique<ConverterDialog>(*prompts_, systemFileSystem());
    }
    void cleanup() {
        dialog_.reset();
        prompts_.reset();
        folder_.reset();
    }

    void fileGivenAtStartIsChosenOnceTheDialogIsOpen_data() { addInputRows(); }
    void fileGivenAtStartIsChosenOnceTheDialogIsOpen() {
        QFETCH(QString, kind);
        QFETCH(QStringList, messagesWhenChosen);
        dialog_->chooseInputOnOpen(textOf(inputNamed(kind)));
        QVERIFY(prompts_->messages.isEmpty());
        open();
        QCOMPARE(prompts_->messages, messagesWhenChosen);
        QCOMPARE(prompts_->fileDialogsShown, 0);
        expectConvertOf(kind, messagesWhenChosen);
    }

    // The drop replaces the choice made before it with "讀檔".
    void droppedFileIsChosen_data() { addInputRows(); }
    void droppedFileIsChosen() {
        QFETCH(QString, kind);
        QFETCH(QStringList, messagesWhenChosen);
        writeBoard(folder() / "earlier.cmp");
        prompts_->fileAnswers.push_back(textOf(folder() / "earlier.cmp"));
        open();
        click("control1000");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(textOf(inputNamed(kind)))});
        QVERIFY(drag(data));
        QCOMPARE(prompts_->messages, messagesWhenChosen);
        expectConvertOf(kind, messagesWhenChosen);
        QVERIFY(!fs::exists(folder() / "earlier"));
    }

    void dragsOfAnythingButOneLocalFileAreRefused_data() {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QString>("text");
        const QUrl local = QUrl::fromLocalFile(QStringLiteral("/tmp/a.cmp"));
        QTest::newRow("two files") << QList<QUrl>({local, local}) << QString();
        QTest::newRow("remote file")
            << QList<QUrl>({QUrl(QStringLiteral("https://zemra.example/a.cmp"))}) << QString();
        QTest::newRow("text naming a file") << QList<QUrl>() << QStringLiteral("/tmp/a.cmp");
    }
    void dragsOfAnythingButOneLocalFileAreRefused() {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QString, text);
        open();
        QMimeData data;
        if (urls.isEmpty()) {
            data.setText(text);
        } else {
            data.setUrls(urls);
        }
        QVERIFY(!drag(data));
        click("control1001");
        QCOMPARE(prompts_->messages, QStringList({kChooseFirst}));
    }
};

}  // namespace zemra::app::testing

int runInputFromDesktopTests(int argc, char** argv) {
    zemra::app::testing::InputFromDesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "input_from_desktop_test.moc"
