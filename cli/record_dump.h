#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <span>
#include <stdexcept>
#include <string>

#include "files/file_system.h"
#include "io/byte_source.h"

namespace zemra::cli {

// One field of a dump's row: a number, or a text exactly as the CSV holds it.
struct DumpField {
    enum class Kind {
        Number,
        Code,  // a text the dump makes: a code in hex, what a record became, its bytes
        Name,  // a text of the record's own (part name, LC) with its bytes made printable
    };
    Kind kind = Kind::Number;
    std::int64_t number = 0;
    std::string text;
};

// The fields of a record that the dump shows between its offset and what it became, as the
// converter reads them, and their columns' names; names as raw bytes.
inline constexpr std::size_t kRecordFieldCount = 21;
using RecordFields = std::array<DumpField, kRecordFieldCount>;
std::span<const char* const, kRecordFieldCount> recordFieldNames();
RecordFields readRecordFields(std::span<const std::byte, 64> bytes);

// Where the rows of a dump go: the header row first, with the columns' names as codes, then one
// row per record. A sink that cannot take a row throws, and the dump stops there.
class DumpSink {
  public:
    virtual ~DumpSink() = default;
    virtual void writeRow(std::span<const DumpField> row) = 0;
};

// The rows as CSV (RFC 4180) with CR LF line ends; names are quoted, their quotes doubled.
class CsvDump : public DumpSink {
  public:
    // What CsvDump throws when its stream fails.
    class StreamFailed : public std::runtime_error {
      public:
        StreamFailed() : std::runtime_error("the CSV could not be written") {}
    };

    explicit CsvDump(std::ostream& out) : out_(out) {}
    void writeRow(std::span<const DumpField> row) override;

  private:
    std::ostream& out_;
};

// The whole records of a component file as rows: a header row, then one row per 64-byte record
// with its offset, its fields as the converter reads them, what it became (its step number, "*"
// or "dropped") and its 64 bytes in hex. Any byte sequence is records. Returns the number of
// bytes after the last whole record, which get no row.
std::uint64_t writeRecordDump(ByteSource& input, DumpSink& rows);
std::uint64_t writeRecordDump(ByteSource& input, std::ostream& out);

// The component file to dump, open; nothing, after saying why on `err`, when it cannot be opened.
std::unique_ptr<ReadableFile> openRecords(const std::filesystem::path& input,
                                          FileSystem& fileSystem, std::ostream& err);

// Says on `err` that the last `count` bytes of `input` are no whole record, if there are any.
void reportTrailingBytes(const std::filesystem::path& input, std::uint64_t count,
                         std::ostream& err);

// The dump of one file as CSV: its rows to `out`; a trailing partial record and failures to
// `err`. Stops at the first row that `out` cannot take. Returns the exit status.
int dumpFile(const std::filesystem::path& input, FileSystem& fileSystem, std::ostream& out,
             std::ostream& err);

}  // namespace zemra::cli
