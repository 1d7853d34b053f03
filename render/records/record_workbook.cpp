#include "record_workbook.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "decode/component_record.h"
#include "platform/utf8_paths.h"

namespace zemra::cli {
namespace {

constexpr const char* kSheetName = "records";

void check(lxw_error error) {
    if (error != LXW_NO_ERROR) {
        throw WorkbookError(lxw_strerror(error));
    }
}

bool isHexDigit(char character) {
    return (character >= '0' && character <= '9') || (character >= 'A' && character <= 'F') ||
           (character >= 'a' && character <= 'f');
}

// Whether `text` begins with _xHHHH_.
bool startsWithEscape(std::string_view text) {
    constexpr std::size_t kEscapeLength = 7;
    if (text.size() < kEscapeLength || !text.starts_with("_x") || text[kEscapeLength - 1] != '_') {
        return false;
    }
    return std::all_of(text.begin() + 2, text.begin() + kEscapeLength - 1, isHexDigit);
}

}  // namespace

std::string cellText(std::string_view text) {
    std::string cell;
    cell.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (startsWithEscape(text.substr(at))) {
            cell += "_x005F";
        }
        cell += text[at];
    }
    return cell;
}

void RecordWorkbook::Discard::operator()(lxw_workbook* workbook) const {
    lxw_workbook_free(workbook);
}

RecordWorkbook::RecordWorkbook(const std::filesystem::path& path,
                               const std::filesystem::path& workingFolder) {
    // The library takes the names in UTF-8 on every system.
    const std::string name = platform::utf8Of(path);
    std::string folder =
        platform::utf8Of(workingFolder.empty() ? std::filesystem::path(".") : workingFolder);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = folder.data();
    workbook_.reset(workbook_new_opt(name.c_str(), &options));
    if (workbook_ == nullptr) {
        throw WorkbookError("the workbook could not be begun");
    }
    worksheet_ = workbook_add_worksheet(workbook_.get(), kSheetName);
    if (worksheet_ == nullptr) {
        throw WorkbookError(std::string("the worksheet could not be begun: ") +
                            std::strerror(errno));
    }
    worksheet_freeze_panes(worksheet_, 1, 0);
}

RecordWorkbook::~RecordWorkbook() {
    // The library frees a workbook that was never closed without closing its worksheet's working
    // file. Windows removes that file only once it is closed, so it would stay in the output
    // folder for as long as the program runs on.
    if (workbook_ != nullptr && worksheet_ != nullptr && worksheet_->optimize_tmpfile != nullptr) {
        std::fclose(worksheet_->optimize_tmpfile);
        worksheet_->optimize_tmpfile = nullptr;
        worksheet_->file = nullptr;
    }
}

std::string RecordWorkbook::rowLimitText() {
    return "a worksheet holds " + std::to_string(kRowLimit - 1) + " records at most";
}

void RecordWorkbook::checkRecordCount(std::uint64_t inputBytes) {
    const std::uint64_t records = inputBytes / kRecordSize;
    if (records >= kRowLimit) {
        throw WorkbookError("the file holds " + std::to_string(records) + " records, and " +
                            rowLimitText());
    }
}

void RecordWorkbook::writeRow(std::span<const DumpField> row) {
    if (nextRow_ >= kRowLimit) {
        throw WorkbookError(rowLimitText());
    }
    lxw_col_t column = 0;
    for (const DumpField& field : row) {
        if (field.kind == DumpField::Kind::Number) {
            check(worksheet_write_number(worksheet_, nextRow_, column,
                                         static_cast<double>(field.number), nullptr));
        } else {
            check(worksheet_write_string(worksheet_, nextRow_, column, cellText(field.text).c_str(),
                                         nullptr));
        }
        ++column;
    }
    ++nextRow_;
}

void RecordWorkbook::close() {
    // workbook_close() frees the workbook, whether it wrote the file or not.
    lxw_workbook* workbook = workbook_.release();
    errno = 0;
    const lxw_error error = workbook_close(workbook);
    if (error != LXW_NO_ERROR) {
        const int systemError = errno;
        throw WorkbookError(std::string(lxw_strerror(error)) +
                            (systemError != 0 ? std::string(" (") + std::strerror(systemError) + ")"
                                              : std::string()));
    }
}

}  // namespace zemra::cli
