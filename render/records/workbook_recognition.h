#pragma once

#include "files/file_system.h"

namespace zemra::cli {

// Whether `file` holds a workbook as RecordWorkbook writes it: a zip archive that ends with its
// directory, whose entries are exactly those of such a workbook, in their order.
bool isWorkbookOfOurs(ReadableFile& file);

}  // namespace zemra::cli
