#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "record_dump.h"

struct lxw_workbook;
struct lxw_worksheet;

namespace zemra::cli {

// `text` as a workbook's cell holds it so that a spreadsheet reads back `text` itself: the file
// format reads _xHHHH_ (four hex digits) as the character HHHH, so the '_' that begins such a
// text is written as _x005F_, its own escape.
std::string cellText(std::string_view text);

// What the workbook library could not do, in its words.
class WorkbookError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The rows of a dump as a workbook (.xlsx) of one worksheet: every text a text cell that reads
// back exactly as the CSV holds it (see cellText()), never a formula, a number or a date; every
// number a number; the header row kept in view. Rows go to a temporary file as they come, so that
// memory does not grow with the board. Throws WorkbookError for a row beyond the worksheet's last
// and when the file cannot be written.
class RecordWorkbook : public DumpSink {
  public:
    // The rows a worksheet holds, the header row among them.
    static constexpr std::uint32_t kRowLimit = 1'048'576;

    // Throws WorkbookError, before any work, when a file of `inputBytes` bytes holds more records
    // than a worksheet has rows for.
    static void checkRecordCount(std::uint64_t inputBytes);

    // The library's own working files go into `workingFolder`.
    RecordWorkbook(const std::filesystem::path& path, const std::filesystem::path& workingFolder);
    ~RecordWorkbook() override;
    RecordWorkbook(const RecordWorkbook&) = delete;
    RecordWorkbook& operator=(const RecordWorkbook&) = delete;
    void writeRow(std::span<const DumpField> row) override;
    // Writes the whole workbook to its file. No row is taken after it.
    void close();

  private:
    static std::string rowLimitText();

    struct Discard {
        void operator()(lxw_workbook* workbook) const;
    };

    std::unique_ptr<lxw_workbook, Discard> workbook_;
    lxw_worksheet* worksheet_ = nullptr;
    std::uint32_t nextRow_ = 0;
};

}  // namespace zemra::cli
