#include <filesystem>
#include <fstream>
#include <string>

#include <QAbstractButton>
#include <QTemporaryDir>
#include <QTest>

#include "board_files.h"
#include "converter_dialog.h"
#include "golden_boards.h"
#include "scripted_prompts.h"

namespace zemra::app::testing {
namespace {

namespace fs = std::filesystem;

const QString kConverted = QStringLiteral("변환을 마쳤습니다");
const QString kFileMissing = QStringLiteral("파일이 존재하지 않습니다.");

QString headingOf(const fs::path& listing) {
    return QString::fromStdString(linesOf(listing).at(3));
}

}  // namespace

// Choosing a component file and converting it as the operator does, with what can go wrong.
class ConversionTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::unique_ptr<ConverterDialog> dialog_;

    fs::path folder() const { return fs::path(folder_->path().toStdU16String()); }
    fs::path board(const std::string& name) {
        writeBoard(folder() / name);
        return folder() / name;
    }
    void click(const char* control) {
        QTest::mouseClick(dialog_->findChild<QAbstractButton*>(QString::fromLatin1(control)),
                          Qt::LeftButton);
    }
    // Answers the next file dialog with `path`, or cancels it when there is none.
    void readFile(const std::optional<fs::path>& path) {
        prompts_->fileAnswers.push_back(path ? std::optional(textOf(*path)) : std::nullopt);
        click("control1000");
    }
    void convert() { click("control1001"); }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        prompts_ = std::make_unique<ScriptedPrompts>();
        dialog_ = std::make_unique<ConverterDialog>(*prompts_, systemFileSystem());
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    }
    void cleanup() {
        dialog_.reset();
        prompts_.reset();
        folder_.reset();
    }

    // The outputs are named after the title, in a folder of that name beside the input; where
    // the input itself holds that name, beside the input.
    void outputsAreNamedAfterTheFileTitle_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("outputFolder");
        QTest::newRow("plain") << "BOARD7.cmp"
                               << "BOARD7"
                               << "BOARD7";
        QTest::newRow("dot in the name") << "rev.2.cmp"
                                         << "rev.2"
                                         << "rev.2";
        QTest::newRow("no extension") << "board"
                                      << "board"
                                      << "";
    }
    void outputsAreNamedAfterTheFileTitle() {
        QFETCH(QString, fileName);
        QFETCH(QString, title);
        QFETCH(QString, outputFolder);
        readFile(board(fileName.toStdString()));
        convert();
        QCOMPARE(prompts_->messages, QStringList({kConverted}));
        QVERIFY(!prompts_->waitCursorDuringMessage);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        const fs::path output = folder() / outputFolder.toStdString();
        for (const char* extension : {".dat", ".icn", ".icp", ".scp"}) {
            QVERIFY2(fs::is_regular_file(output / (title.toStdString() + extension)), extension);
        }
        const auto listing = linesOf(output / (title.toStdString() + ".dat"));
        QVERIFY(listing.size() > 5);
        QCOMPARE(QString::fromStdString(listing[0]),
                 "! File Name: " + title + ".dat Test Data Listing RXL-6200B ICT+FUNCTIONAL ATE");
        QVERIFY(QString::fromStdString(listing[3]).endsWith(" Skip Type"));
    }

    void convertWithoutAChoiceIsRefused() {
        convert();
        readFile(std::nullopt);
        QCOMPARE(prompts_->fileDialogsShown, 1);
        convert();
        QCOMPARE(prompts_->messages,
                 QStringList(2, QStringLiteral("먼저 CMP 파일을 선택하십시오.")));
        QVERIFY(entriesUnder(folder()).empty());
    }

    void cancelledChoiceKeepsTheEarlierOne() {
        readFile(board("first.cmp"));
        readFile(std::nullopt);
        convert();
        QCOMPARE(prompts_->messages, QStringList({kConverted}));
        QVERIFY(fs::is_regular_file(folder() / "first" / "first.dat"));
    }

    // A choice that cannot be opened is reported, replaces an earlier good one, and is reported
    // again by Convert, which writes nothing.
    void unusableChoiceIsReportedAndWritesNothing_data() {
        QTest::addColumn<QString>("choice");
        QTest::newRow("missing file") << "missing.cmp";
        QTest::newRow("folder") << "folder.cmp";
    }
    void unusableChoiceIsReportedAndWritesNothing() {
        QFETCH(QString, choice);
        fs::create_directory(folder() / "folder.cmp");
        readFile(board("good.cmp"));
        const auto before = entriesUnder(folder());
        readFile(folder() / choice.toStdString());
        convert();
        QCOMPARE(prompts_->messages, QStringList({kFileMissing, kFileMissing}));
        QCOMPARE(entriesUnder(folder()), before);
    }

    void unusableChoiceIsOpenedAgainByConvert() {
        readFile(folder() / "late.cmp");
        writeBoard(folder() / "late.cmp");
        convert();
        QCOMPARE(prompts_->messages, QStringList({kFileMissing, kConverted}));
        QVERIFY(fs::is_regular_file(folder() / "late" / "late.dat"));
    }

    // The file stays open from its choice: removed before Convert, it is still converted whole;
    // a further Convert finds it gone and leaves the outputs as they are.
    void fileRemovedAfterItsChoiceIsConvertedOnce() {
        readFile(board("gone.cmp"));
        std::error_code error;
        if (!fs::remove(folder() / "gone.cmp", error)) {
            QSKIP("this system does not remove a file that is open");
        }
        convert();
        const fs::path listing = folder() / "gone" / "gone.dat";
        const std::string written = contentsOf(listing);
        QVERIFY(linesOf(listing).size() > 5);
        convert();
        QCOMPARE(prompts_->messages, QStringList({kConverted, kFileMissing}));
        QCOMPARE(contentsOf(listing), written);
    }

    // A second Convert converts the same file again, with the options as the operator left them:
    // KX740E has no Type column and names IC5 U5, reverse-pins exchanges the diode steps' pins
    // so that they find both ICs.
    void secondConvertRepeatsTheRunWithTheSameOptions() {
        click("control1002");
        click("control1004");
        std::ofstream(folder() / "twice.cmp", std::ios::binary)
            << zemra::testing::backwardDiodeBoard();
        readFile(folder() / "twice.cmp");
        convert();
        const fs::path output = folder() / "twice";
        fs::remove_all(output);
        convert();
        QCOMPARE(prompts_->messages, QStringList({kConverted, kConverted}));
        QVERIFY(headingOf(output / "twice.dat").endsWith(" Skip"));
        QCOMPARE(QString::fromStdString(linesOf(output / "twice.dat").at(7)),
                 QString::fromLatin1(zemra::testing::kBackwardDiodeLineKx740eReversed));
        QCOMPARE(QString::fromStdString(contentsOf(output / "twice.icn")),
                 QString::fromLatin1(zemra::testing::kBackwardIcnKx740eReversed));
        QCOMPARE(dialog_->variantCode(), 'F');
        QCOMPARE(dialog_->reversePins(), 1);
    }

    // Neither the output folder nor the input's folder can take the outputs (permission bits
    // would not stop root, who runs the tests): a file holds the folder's name and folders hold
    // the outputs' names. Each output is reported, the run stops without its completion message,
    // and nothing that was there is touched.
    void outputsThatCannotBeWrittenAreReported() {
        const fs::path input = board("blocked.cmp");
        std::ofstream(folder() / "blocked") << "not a folder";
        for (const char* extension : {".dat", ".icn", ".icp", ".scp"}) {
            fs::create_directory(folder() / (std::string("blocked") + extension));
        }
        const std::string inputBytes = contentsOf(input);
        const auto before = entriesUnder(folder());
        readFile(input);
        convert();
        QCOMPARE(prompts_->messages,
                 QStringList({QStringLiteral("DAT 파일이 생성되지 않습니다."),
                              QStringLiteral("ICN 파일이 생성되지 않습니다."),
                              QStringLiteral("ICP 파일이 생성되지 않습니다."),
                              QStringLiteral("SCP 파일이 생성되지 않습니다.")}));
        QCOMPARE(entriesUnder(folder()), before);
        QCOMPARE(contentsOf(input), inputBytes);
        QCOMPARE(contentsOf(folder() / "blocked"), std::string("not a folder"));
    }
};

}  // namespace zemra::app::testing

int runConversionTests(int argc, char** argv) {
    zemra::app::testing::ConversionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "conversion_test.moc"
