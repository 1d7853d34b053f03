// zemra-convert --dump=xlsx as a spreadsheet reads it: LibreOffice opens the workbook and saves it
// as CSV, and every cell must say what the CSV dump says, with no formula anywhere. Needs
// LibreOffice (soffice) and unzip; without them the test is skipped, saying so, unless
// ZEMRA_REQUIRE_SPREADSHEET is set, as `make test-spreadsheet` and CI set it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "in_memory_conversion.h"
#include "process_runner.h"
#include "record_builder.h"
#include "temp_folder.h"

namespace zemra {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::writeFile;

// The fields of CSV text (RFC 4180), row by row; a row ends in LF or CR LF.
std::vector<std::vector<std::string>> csvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (quoted) {
            if (c == '"' && at + 1 < text.size() && text[at + 1] == '"') {
                field += '"';
                ++at;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(field);
            field.clear();
        } else if (c == '\n') {
            row.push_back(field);
            rows.push_back(row);
            row.clear();
            field.clear();
        } else if (c != '\r') {
            field += c;
        }
    }
    return rows;
}

bool hasProgram(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(Spreadsheet, WorkbookGivesEveryCellAsTheCsvDumpHasItAndHoldsNoFormula) {
    if (!hasProgram("soffice") || !hasProgram("unzip")) {
        if (std::getenv("ZEMRA_REQUIRE_SPREADSHEET") != nullptr) {
            FAIL() << "soffice or unzip is missing: make test-spreadsheet installs them";
        }
        GTEST_SKIP() << "LibreOffice (soffice) or unzip is missing: make test-spreadsheet "
                        "installs them and runs this test";
    }
    std::vector<RecordBuilder> records;
    int pin = 1;
    for (const char* name :
         {"=1+1", "+A1", "-2", "@SUM(1)", "1E5", "0012", "2002-02-03", "=A1*2", "01", "TRUE",
          // The file format's escapes of characters, which the workbook must escape in turn.
          "A_x000D_", "B_x005F_", "D_x0000_", "_x0041__x", "A\\u00FF", "A\xff"}) {
        records.push_back(
            RecordBuilder().name(name).lc("=1").standard(-470, 0x15).limits(-5, 5).pins(pin, 4095));
        ++pin;
    }
    records.push_back(RecordBuilder());
    records.push_back(RecordBuilder().name("R\"1,\n\xff").lc("\t").skip());
    const testing::TempFolder folder;
    writeFile(folder / "B.cmp", testing::recordsOf(records));

    const auto csv = testing::runProgram(ZEMRA_CONVERT_PATH, "--dump B.cmp", folder.path());
    ASSERT_EQ(csv.exitStatus, 0) << csv.err;
    fs::create_directory(folder / "out");
    const auto workbook =
        testing::runProgram(ZEMRA_CONVERT_PATH, "--dump=xlsx -o out B.cmp", folder.path());
    ASSERT_EQ(workbook.exitStatus, 0) << workbook.err;
    EXPECT_EQ(workbook.out, "out/B.xlsx\n");

    const auto saved =
        testing::runProgram("soffice",
                            "-env:UserInstallation=file://" + (folder / "profile").string() +
                                " --headless --convert-to csv --outdir read out/B.xlsx",
                            folder.path());
    ASSERT_EQ(saved.exitStatus, 0) << saved.err;
    const auto expected = csvRows(csv.out);
    ASSERT_EQ(expected.size(), records.size() + 1);
    EXPECT_EQ(csvRows(readFile(folder / "read" / "B.csv")), expected);

    const auto sheet =
        testing::runProgram("unzip", "-p out/B.xlsx xl/worksheets/sheet1.xml", folder.path());
    ASSERT_EQ(sheet.exitStatus, 0) << sheet.err;
    // Each row holds 9 texts and 15 numbers, the header row 24 texts; an empty text is no cell,
    // and the record of zero bytes has neither a name nor an LC.
    const auto count = [&sheet](const std::string& text) {
        std::size_t found = 0;
        for (auto at = sheet.out.find(text); at != std::string::npos;
             at = sheet.out.find(text, at + 1)) {
            ++found;
        }
        return found;
    };
    EXPECT_EQ(count("t=\"inlineStr\""), 24 + 9 * records.size() - 2);
    EXPECT_EQ(count("<v>"), 15 * records.size());
    EXPECT_EQ(sheet.out.find("<f>"), std::string::npos);
    EXPECT_EQ(sheet.out.find("<f "), std::string::npos);
}

}  // namespace
}  // namespace zemra
