#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <stdexcept>
#include <string>

#include "decode/record_fields.h"
#include "io/byte_source.h"

namespace zemra::cli {

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

}  // namespace zemra::cli
