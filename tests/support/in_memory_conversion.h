#pragma once

#include <string>
#include <vector>

#include "record_builder.h"
#include "run/convert_board.h"

namespace zemra::testing {

// A whole conversion whose four outputs are kept in memory.
struct ConvertedBoard {
    std::string listing;
    std::string icn;
    std::string icp;
    std::string scp;
    BoardLists lists;
    ConversionSummary summary;
};

ConvertedBoard convertInMemory(const std::string& bytes, DecodeOptions options = {},
                               const std::string& title = "BOARD", const LocalDateTime& at = {});
ConvertedBoard convertInMemory(const std::vector<RecordBuilder>& records,
                               DecodeOptions options = {});
// A traced conversion: `observer` sees every record.
ConvertedBoard convertInMemory(const std::vector<RecordBuilder>& records, RecordObserver& observer);
ConvertedBoard convertInMemory(const std::string& bytes, RecordObserver& observer,
                               DecodeOptions options = {});

// The bytes of a component file holding these records.
std::string recordsOf(const std::vector<RecordBuilder>& records);

// Splits CR LF text into its lines, without their ends.
std::vector<std::string> linesOf(const std::string& text);

// The listing lines of the records, without the five header lines.
std::vector<std::string> stepLinesOf(const std::vector<RecordBuilder>& records,
                                     DecodeOptions options = {});
std::vector<std::string> stepLinesOf(const RecordBuilder& record, DecodeOptions options = {});

}  // namespace zemra::testing
