#include <filesystem>
#include <fstream>
#include <string>

#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "board_files.h"
#include "converter_dialog.h"
#include "scripted_prompts.h"

namespace zemra::app::testing {
namespace {

namespace fs = std::filesystem;

const QString kConverted = QStringLiteral("변환을 마쳤습니다");
const QString kFileMissing = QStringLiteral("파일이 존재하지 않습니다.");
const QString kChooseFirst = QStringLiteral("먼저 CMP 파일을 선택하십시오.");

constexpr const char* kHeadingFeFr =
    "!Step   Parts-N  Actual-V  LC  Hi-P  Lo-P  G-P1  G-P2  G-P3  G-P4  G-P5  Skip Type";
constexpr const char* kHeadingKx740e =
    "!Step   Parts-N  Actual-V  LC  Hi-P  Lo-P  G-P1  G-P2  G-P3  G-P4  G-P5  Skip";

// The lines of a listing other than the one that holds the time of its run.
std::vector<std::string> linesWithoutTime(const fs::path& listing) {
    std::vector<std::string> lines = linesOf(listing);
    if (lines.size() > 1) {
        lines.erase(lines.begin() + 1);
    }
    return lines;
}

}  // namespace

// Choosing a component file and converting it, as the operator does it, with what can go wrong.
class ConversionTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::unique_ptr<ConverterDialog> dialog_;

    fs::path folder() const { return fs::path(folder_->path().toStdU16String()); }

    void click(const char* control) {
        QTest::mouseClick(dialog_->findChild<QAbstractButton*>(QString::fromLatin1(control)),
                          Qt::LeftButton);
    }
    void choose(const fs::path& path) {
        prompts_->fileAnswers.push_back(textOf(path));
        click("control1000");
    }
    void cancelChoice() {
        prompts_->fileAnswers.push_back(std::nullopt);
        click("control1000");
    }
    void convert() { click("control1001"); }

    fs::path writeBoardNamed(const std::string& name) {
        const fs::path path = folder() / name;
        writeBoard(path);
        return path;
    }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
        prompts_ = std::make_unique<ScriptedPrompts>();
        dialog_ = std::make_unique<ConverterDialog>(*prompts_);
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    }

    void cleanup() {
        dialog_.reset();
        prompts_.reset();
        folder_.reset();
    }

    // The output folder is named after the title, except where the input itself holds that name:
    // then the outputs go beside the input.
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
        QTest::newRow("other extension") << "board.bin"
                                         << "board"
                                         << "board";
        QTest::newRow("no extension") << "board"
                                      << "board"
                                      << "";
    }
    void outputsAreNamedAfterTheFileTitle() {
        QFETCH(QString, fileName);
        QFETCH(QString, title);
        QFETCH(QString, outputFolder);
        const std::string name = title.toStdString();
        choose(writeBoardNamed(fileName.toStdString()));
        convert();
        QCOMPARE(prompts_->messages, QStringList({kConverted}));
        const fs::path output = folder() / outputFolder.toStdString();
        for (const char* extension : {".dat", ".icn", ".icp", ".scp"}) {
            QVERIFY2(fs::is_regular_file(output / (name + extension)), extension);
        }
        const std::vector<std::string> listing = linesOf(output / (name + ".dat"));
        QVERIFY(listing.size() > 5);
        QCOMPARE(QString::fromStdString(listing[0]),
                 "! File Name: " + title + ".dat Test Data Listing RXL-6200B ICT+FUNCTIONAL ATE");
        QCOMPARE(QString::fromStdString(listing[3]), QString::fromLatin1(kHeadingFeFr));
    }

    void convertBeforeAnyChoiceIsRefused() {
        convert();
        QCOMPARE(prompts_->messages, QStringList({kChooseFirst}));
        QVERIFY(entriesUnder(folder()).empty());
    }

    void cancelledChoiceChangesNothing() {
        cancelChoice();
        QCOMPARE(prompts_->fileDialogsShown, 1);
        QVERIFY(prompts_->messages.isEmpty());
        convert();
        QCOMPARE(prompts_->messages, QStringList({kChooseFirst}));
    }

    void cancelledChoiceKeepsTheEarlierOne() {
        choose(writeBoardNamed("first.cmp"));
        cancelChoice();
        convert();
        QCOMPARE(prompts_->messages, QStringList({kConverted}));
        QVERIFY(fs::is_regular_file(folder() / "first" / "first.dat"));
    }

    // Choices that cannot be opened: reported at once, and again by Convert, which writes nothing.
    void unusableChoiceIsReportedAndWritesNothing_data() {
        QTest::addColumn<QString>("choice");
        QTest::newRow("missing file") << "missing.cmp";
        QTest::newRow("folder") << "folder.cmp";
    }
    void unusableChoiceIsReportedAndWritesNothing() {
        QFETCH(QString, choice);
        fs::create_directory(folder() / "folder.cmp");
        const auto before = entriesUnder(folder());
        choose(folder() / choice.toStdString());
        QCOMPARE(prompts_->messages, QStringList({kFileMissing}));
        convert();
        QCOMPARE(prompts_->messages, QStringList({kFileMissing, kFileMissing}));
        QCOMPARE(entriesUnder(folder()), before);
    }

    void unusableChoiceIsTriedAgainByConvert() {
        const fs::path path = folder() / "late.cmp";
        choose(path);
        writeBoard(path);
        convert();
        QCOMPARE(prompts_->messages, QStringList({kFileMissing, kConverted}));
        QVERIFY(fs::is_regular_file(folder() / "late" / "late.dat"));
    }

    void unusableChoiceReplacesAGoodOne() {
        choose(writeBoardNamed("good.cmp"));
        choose(folder() / "missing.cmp");
        convert();
        QCOMPARE(prompts_->messages, QStringList({kFileMissing, kFileMissing}));
        QVERIFY(!fs::exists(folder() / "good"));
    }

    void fileRemovedAfterChoiceIsConvertedFromTheOpenFile() {
        const fs::path path = writeBoardNamed("gone.cmp");
        choose(path);
        std::error_code error;
        if (!fs::remove(path, error)) {
            QSKIP("this system does not remove a file that is open");
        }
        convert();
        QCOMPARE(prompts_->messages, QStringList({kConverted}));
        const fs::path listing = folder() / "gone" / "gone.dat";
        const std::string written = contentsOf(listing);
        QVERIFY(linesOf(listing).size() > 5);

        convert();
        QCOMPARE(prompts_->messages, QStringList({kConverted, kFileMissing}));
        QCOMPARE(contentsOf(listing), written);
    }

    void secondConvertConvertsTheSameFileAgain() {
        choose(writeBoardNamed("twice.cmp"));
        convert();
        const fs::path listing = folder() / "twice" / "twice.dat";
        const auto first = linesWithoutTime(listing);
        const std::string firstPins = contentsOf(folder() / "twice" / "twice.icp");
        convert();
        QCOMPARE(prompts_->messages, QStringList({kConverted, kConverted}));
        QCOMPARE(linesWithoutTime(listing), first);
        QCOMPARE(contentsOf(folder() / "twice" / "twice.icp"), firstPins);
    }

    void optionsStayAcrossConversions() {
        click("control1002");
        click("control1004");
        choose(writeBoardNamed("kept.cmp"));
        convert();
        const fs::path listing = folder() / "kept" / "kept.dat";
        QCOMPARE(QString::fromStdString(linesOf(listing)[3]), QString::fromLatin1(kHeadingKx740e));
        convert();
        QCOMPARE(QString::fromStdString(linesOf(listing)[3]), QString::fromLatin1(kHeadingKx740e));
        QCOMPARE(dialog_->variantCode(), 'F');
        QCOMPARE(dialog_->reversePins(), 1);
        QVERIFY(dialog_->findChild<QCheckBox*>(QStringLiteral("control1004"))->isChecked());
    }

    // Neither the output folder nor its parent can take the outputs: each output is reported,
    // the run still ends with its completion message, and nothing that was there is touched.
    void outputsThatCannotBeWrittenAreReported() {
        const fs::path input = writeBoardNamed("blocked.cmp");
        std::ofstream(folder() / "blocked") << "not a folder";
        for (const char* extension : {".dat", ".icn", ".icp", ".scp"}) {
            fs::create_directory(folder() / (std::string("blocked") + extension));
        }
        const std::string inputBytes = contentsOf(input);
        const auto before = entriesUnder(folder());

        choose(input);
        convert();
        QCOMPARE(prompts_->messages,
                 QStringList({QStringLiteral("DAT 파일이 생성되지 않습니다."),
                              QStringLiteral("ICN 파일이 생성되지 않습니다."),
                              QStringLiteral("ICP 파일이 생성되지 않습니다."),
                              QStringLiteral("SCP 파일이 생성되지 않습니다."), kConverted}));
        QCOMPARE(entriesUnder(folder()), before);
        QCOMPARE(contentsOf(input), inputBytes);
        QCOMPARE(contentsOf(folder() / "blocked"), std::string("not a folder"));
    }

    void readOnlyFolderIsReported() {
        const fs::path input = writeBoardNamed("locked.cmp");
        choose(input);
        fs::permissions(folder(),
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
        const bool enforced = !std::ofstream(folder() / "probe").is_open();
        if (enforced) {
            convert();
        }
        fs::permissions(folder(), fs::perms::owner_write, fs::perm_options::add);
        if (!enforced) {
            QSKIP(
                "permission bits are not enforced for this user (root); "
                "outputsThatCannotBeWrittenAreReported covers the case");
        }
        QCOMPARE(prompts_->messages.size(), 5);
        QCOMPARE(prompts_->messages.last(), kConverted);
        QCOMPARE(entriesUnder(folder()), std::set<std::string>({"locked.cmp"}));
    }

    void messagesAreShownWithoutTheWaitCursor() {
        choose(writeBoardNamed("cursor.cmp"));
        convert();
        QCOMPARE(prompts_->messages, QStringList({kConverted}));
        QVERIFY(!prompts_->waitCursorDuringMessage);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }
};

}  // namespace zemra::app::testing

int runConversionTests(int argc, char** argv) {
    zemra::app::testing::ConversionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "conversion_test.moc"
