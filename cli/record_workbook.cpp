#include "record_workbook.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/utf8_paths.h"

namespace zemra::cli {
namespace {

constexpr const char* kSheetName = "records";

void check(lxw_error error) {
    if (error != LXW_NO_ERROR) {
        throw WorkbookError(lxw_strerror(error));
    }
}

}  // namespace

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

void RecordWorkbook::writeRow(std::span<const DumpField> row) {
    if (nextRow_ >= kRowLimit) {
        throw WorkbookError("a worksheet holds " + std::to_string(kRowLimit - 1) +
                            " records at most");
    }
    lxw_col_t column = 0;
    for (const DumpField& field : row) {
        if (field.kind == DumpField::Kind::Number) {
            check(worksheet_write_number(worksheet_, nextRow_, column,
                                         static_cast<double>(field.number), nullptr));
        } else {
            check(
                worksheet_write_string(worksheet_, nextRow_, column, field.text.c_str(), nullptr));
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
