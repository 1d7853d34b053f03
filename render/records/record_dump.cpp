#include "record_dump.h"

#include <array>
#include <string>

#include "decode/record_reader.h"
#include "decode/step_sequence.h"
#include "escaped_text.h"

namespace zemra::cli {
namespace {

// A text field, quoted, with its quotes doubled.
void writeQuoted(std::ostream& out, std::string_view text) {
    out << '"';
    for (const char byte : text) {
        out << byte;
        if (byte == '"') {
            out << '"';
        }
    }
    out << '"';
}

class DumpRows {
  public:
    explicit DumpRows(DumpSink& sink) : sink_(sink), steps_(DecodeOptions{}) {
        text(DumpField::Kind::Code, "offset");
        for (const char* const name : recordFieldNames()) {
            text(DumpField::Kind::Code, name);
        }
        text(DumpField::Kind::Code, "became");
        text(DumpField::Kind::Code, "raw");
        sink_.writeRow(row_);
    }

    void write(std::uint64_t offset, std::span<const std::byte, kRecordSize> bytes) {
        std::string became;
        switch (steps_.decode(decodeRecord(bytes))) {
            case StepKind::Dropped:
                became = "dropped";
                break;
            case StepKind::Skipped:
                became = "*";
                break;
            case StepKind::Decoded:
                became = std::to_string(steps_.fields().step);
                break;
        }
        column_ = 0;
        number(static_cast<std::int64_t>(offset));
        for (DumpField& field : readRecordFields(bytes)) {
            if (field.kind == DumpField::Kind::Name) {
                field.text = dumpEscapedBytes(field.text);
            }
            row_[column_++] = std::move(field);
        }
        text(DumpField::Kind::Code, std::move(became));
        text(DumpField::Kind::Code, hexOfBytes(bytes));
        sink_.writeRow(row_);
    }

  private:
    void number(std::int64_t value) { row_[column_++] = {DumpField::Kind::Number, value, {}}; }
    void text(DumpField::Kind kind, std::string value) {
        row_[column_++] = {kind, 0, std::move(value)};
    }

    DumpSink& sink_;
    std::array<DumpField, kRecordFieldCount + 3> row_;
    std::size_t column_ = 0;
    StepSequence steps_;
};

}  // namespace

void CsvDump::writeRow(std::span<const DumpField> row) {
    const char* separator = "";
    for (const DumpField& field : row) {
        out_ << separator;
        separator = ",";
        if (field.kind == DumpField::Kind::Number) {
            out_ << field.number;
        } else if (field.kind == DumpField::Kind::Name) {
            writeQuoted(out_, field.text);
        } else {
            out_ << field.text;
        }
    }
    out_ << "\r\n";
    if (!out_) {
        throw StreamFailed();
    }
}

std::uint64_t writeRecordDump(ByteSource& input, DumpSink& sink) {
    DumpRows rows(sink);
    RecordReader reader(input);
    for (std::uint64_t offset = 0; const auto bytes = reader.next(); offset += kRecordSize) {
        rows.write(offset, *bytes);
    }
    return reader.trailingBytes();
}

std::uint64_t writeRecordDump(ByteSource& input, std::ostream& out) {
    CsvDump csv(out);
    return writeRecordDump(input, csv);
}

}  // namespace zemra::cli
