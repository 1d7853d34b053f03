#include "fuzz_writers.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "checks_text.h"
#include "conversion_report.h"
#include "decode/component_record.h"
#include "diff/board_diff.h"
#include "diff_json.h"
#include "diff_page.h"
#include "diff_text.h"
#include "diff_writers.h"
#include "files/run_file_names.h"
#include "record_dump.h"
#include "record_workbook.h"
#include "report_json.h"
#include "report_page.h"

namespace zemra {
namespace {

// What every page must be: one whole document.
void checkPage(const std::string& page) {
    if (!page.starts_with("<!DOCTYPE html>") || !page.ends_with("</body></html>\n")) {
        std::abort();
    }
}

}  // namespace

void writeBoardReports(BoardReport board, const std::string& name) {
    board.input = name;
    board.title = name;
    board.version = "fuzz";
    board.messages = {name};
    std::ostringstream out;
    cli::writeTextReport("FUZZ.cmp", board.outcome, out);
    cli::writeTextChecks(board.checks, out);
    cli::writeJsonReport(board, out);
    checkPage(cli::reportPage(board));
}

void writeRecordDumps(std::span<const std::byte> records, bool workbook) {
    MemorySource csvInput(records);
    std::ostringstream csv;
    if (cli::writeRecordDump(csvInput, csv) != records.size() % kRecordSize) {
        std::abort();
    }
    if (!workbook) {
        return;
    }
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::filesystem::path path =
        folder / ("zemra-fuzz" + newRunFileName(RunFileKind::Temporary) + ".xlsx");
    {
        cli::RecordWorkbook sheet(path, folder);
        MemorySource sheetInput(records);
        cli::writeRecordDump(sheetInput, sheet);
        sheet.close();
    }
    std::filesystem::remove(path);
}

void writeDiffs(std::span<const std::byte> records, std::size_t cut, const DecodeOptions& options) {
    const std::span<const std::byte> before =
        records.first(std::min(cut * kRecordSize, records.size()));
    const std::span<const std::byte> after = records.subspan(before.size());
    const auto opener = [](std::span<const std::byte> bytes) -> RevisionOpener {
        return [bytes] { return std::make_unique<MemorySource>(bytes); };
    };
    std::ostringstream out;
    const cli::DiffHeader header{.before = "old\xff\n.cmp",
                                 .after = "new\xe2\x80\xae.cmp",
                                 .options = options,
                                 .beforeBytes = {},
                                 .afterBytes = {}};
    cli::DiffText text(out, header);
    cli::DiffJson json(out, header);
    cli::DiffPage page(header);
    DiffWriters writers(text, json, page);
    const DiffCounts counts = compareBoards(opener(before), opener(after), options, writers);
    text.finish(counts);
    json.finish(counts);
    checkPage(page.page(counts));
}

}  // namespace zemra
