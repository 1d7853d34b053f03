#include "record_dump.h"

#include <array>
#include <memory>
#include <string>

#include "decode/record_reader.h"
#include "decode/step_sequence.h"
#include "escaped_text.h"
#include "run/exit_status.h"
#include "run/messages.h"

namespace zemra::cli {
namespace {

constexpr std::array<const char*, 24> kColumns{
    "offset",      "partName",    "lc",         "skip",           "standardValue", "standardRange",
    "actualValue", "actualRange", "upperLimit", "upperLimitCode", "lowerLimit",    "lowerLimitCode",
    "typeCode",    "modeCode",    "delay",      "hiPin",          "loPin",         "guardPin1",
    "guardPin2",   "guardPin3",   "guardPin4",  "guardPin5",      "became",        "raw"};

std::string hexOf(std::span<const std::byte> bytes) {
    constexpr std::array<char, 16> kHex{'0', '1', '2', '3', '4', '5', '6', '7',
                                        '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    std::string text;
    for (const std::byte byte : bytes) {
        const auto value = std::to_integer<unsigned>(byte);
        text += kHex[value >> 4U];
        text += kHex[value & 0x0FU];
    }
    return text;
}

// A code byte as 0xNN, which no spreadsheet takes for a number.
std::string codeOf(unsigned value) {
    return "0x" + hexOf(std::array{std::byte(value & 0xFFU)});
}

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

int signedByte(std::span<const std::byte, kRecordSize> bytes, std::size_t offset) {
    return static_cast<std::int8_t>(std::to_integer<unsigned>(bytes[offset]));
}

// Builds the fields of one record, column by column.
class FieldRow {
  public:
    void number(std::int64_t value) { fields_[column_++] = {DumpField::Kind::Number, value, {}}; }
    void text(DumpField::Kind kind, std::string value) {
        fields_[column_++] = {kind, 0, std::move(value)};
    }
    RecordFields take() { return std::move(fields_); }

  private:
    RecordFields fields_;
    std::size_t column_ = 0;
};

class DumpRows {
  public:
    explicit DumpRows(DumpSink& sink) : sink_(sink), steps_(DecodeOptions{}) {
        for (std::size_t column = 0; column < kColumns.size(); ++column) {
            row_[column] = {DumpField::Kind::Code, 0, kColumns[column]};
        }
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
        text(DumpField::Kind::Code, hexOf(bytes));
        sink_.writeRow(row_);
    }

  private:
    void number(std::int64_t value) { row_[column_++] = {DumpField::Kind::Number, value, {}}; }
    void text(DumpField::Kind kind, std::string value) {
        row_[column_++] = {kind, 0, std::move(value)};
    }

    DumpSink& sink_;
    std::array<DumpField, kColumns.size()> row_;
    std::size_t column_ = 0;
    StepSequence steps_;
};

}  // namespace

std::span<const char* const, kRecordFieldCount> recordFieldNames() {
    return std::span(kColumns).subspan<1, kRecordFieldCount>();
}

RecordFields readRecordFields(std::span<const std::byte, kRecordSize> bytes) {
    const ComponentRecord record = decodeRecord(bytes);
    FieldRow row;
    row.text(DumpField::Kind::Name, std::string(record.partName.view()));
    row.text(DumpField::Kind::Name, std::string(record.lc.view()));
    row.number(record.skip ? 1 : 0);
    row.number(record.standardValue);
    row.text(DumpField::Kind::Code, codeOf(record.standardRange));
    row.number(record.actualValue);
    row.text(DumpField::Kind::Code, codeOf(record.actualRange));
    // Limits as the record holds them: both are signed bytes before any rule applies.
    row.number(signedByte(bytes, 12));
    row.text(DumpField::Kind::Code, codeOf(record.upperLimitCode));
    row.number(signedByte(bytes, 15));
    row.text(DumpField::Kind::Code, codeOf(record.lowerLimitCode));
    row.number(static_cast<int>(record.typeCode));
    row.text(DumpField::Kind::Code, codeOf(static_cast<unsigned char>(record.modeCode)));
    row.number(record.delay);
    row.number(record.hiPin);
    row.number(record.loPin);
    for (const int guard : record.guardPins) {
        row.number(guard);
    }
    return row.take();
}

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

std::unique_ptr<ReadableFile> openRecords(const std::filesystem::path& input,
                                          FileSystem& fileSystem, std::ostream& err) {
    try {
        return fileSystem.openForReading(input);
    } catch (const FileError& error) {
        err << "zemra-convert: " << consoleEscapedName(input) << ": "
            << describe({MessageKind::FileMissing, error}) << '\n';
        return nullptr;
    }
}

void reportTrailingBytes(const std::filesystem::path& input, std::uint64_t count,
                         std::ostream& err) {
    if (count > 0) {
        err << "zemra-convert: " << consoleEscapedName(input) << ": the last " << count
            << " bytes are no whole record and have no row\n";
    }
}

int dumpFile(const std::filesystem::path& input, FileSystem& fileSystem, std::ostream& out,
             std::ostream& err) {
    const std::unique_ptr<ReadableFile> file = openRecords(input, fileSystem, err);
    if (file == nullptr) {
        return kExitFailed;
    }
    try {
        reportTrailingBytes(input, writeRecordDump(*file, out), err);
    } catch (const CsvDump::StreamFailed&) {
        // Whoever owns the stream says why.
        return kExitFailed;
    } catch (const FileError& error) {
        out.flush();
        err << "zemra-convert: " << consoleEscapedName(input) << ": "
            << describe({MessageKind::FileUnreadable, error}) << '\n';
        return kExitFailed;
    }
    out.flush();
    return out ? kExitClean : kExitFailed;
}

}  // namespace zemra::cli
