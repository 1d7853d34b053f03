#include "record_dump.h"

#include <array>
#include <memory>
#include <string>

#include "decode/record_reader.h"
#include "decode/step_sequence.h"
#include "escaped_text.h"
#include "platform/utf8_paths.h"
#include "run/messages.h"

namespace zemra::cli {
namespace {

constexpr const char* kHeader =
    "offset,partName,lc,skip,standardValue,standardRange,actualValue,actualRange,upperLimit,"
    "upperLimitCode,lowerLimit,lowerLimitCode,typeCode,modeCode,delay,hiPin,loPin,guardPin1,"
    "guardPin2,guardPin3,guardPin4,guardPin5,became,raw\r\n";

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
std::string csvField(std::string_view text) {
    std::string field = "\"";
    for (const char byte : text) {
        field += byte;
        if (byte == '"') {
            field += '"';
        }
    }
    return field + '"';
}

int signedByte(std::span<const std::byte, kRecordSize> bytes, std::size_t offset) {
    return static_cast<std::int8_t>(std::to_integer<unsigned>(bytes[offset]));
}

class DumpRows {
  public:
    explicit DumpRows(std::ostream& out) : out_(out), steps_(DecodeOptions{}) {}

    void write(std::uint64_t offset, std::span<const std::byte, kRecordSize> bytes) {
        const ComponentRecord record = decodeRecord(bytes);
        std::string became;
        switch (steps_.decode(record)) {
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
        // Limits as the record holds them: both are signed bytes before any rule applies.
        out_ << offset << ',' << csvField(printableBytes(record.partName.view())) << ','
             << csvField(printableBytes(record.lc.view())) << ',' << (record.skip ? 1 : 0) << ','
             << record.standardValue << ',' << codeOf(record.standardRange) << ','
             << record.actualValue << ',' << codeOf(record.actualRange) << ','
             << signedByte(bytes, 12) << ',' << codeOf(record.upperLimitCode) << ','
             << signedByte(bytes, 15) << ',' << codeOf(record.lowerLimitCode) << ','
             << static_cast<int>(record.typeCode) << ','
             << codeOf(static_cast<unsigned char>(record.modeCode)) << ','
             << static_cast<int>(record.delay) << ',' << record.hiPin << ',' << record.loPin;
        for (const int guard : record.guardPins) {
            out_ << ',' << guard;
        }
        out_ << ',' << became << ',' << hexOf(bytes) << "\r\n";
    }

  private:
    std::ostream& out_;
    StepSequence steps_;
};

}  // namespace

std::uint64_t writeRecordDump(ByteSource& input, std::ostream& out) {
    out << kHeader;
    DumpRows rows(out);
    RecordReader reader(input);
    for (std::uint64_t offset = 0; const auto bytes = reader.next(); offset += kRecordSize) {
        rows.write(offset, *bytes);
    }
    return reader.trailingBytes();
}

int dumpFile(const std::filesystem::path& input, FileSystem& fileSystem, std::ostream& out,
             std::ostream& err) {
    const std::string name = platform::utf8Of(input);
    std::unique_ptr<ReadableFile> file;
    try {
        file = fileSystem.openForReading(input);
    } catch (const FileError& error) {
        err << "zemra-convert: " << name << ": " << describe({MessageKind::FileMissing, error})
            << '\n';
        return 1;
    }
    try {
        const std::uint64_t trailing = writeRecordDump(*file, out);
        if (trailing > 0) {
            err << "zemra-convert: " << name << ": the last " << trailing
                << " bytes are no whole record and have no row\n";
        }
    } catch (const FileError& error) {
        out.flush();
        err << "zemra-convert: " << name << ": " << describe({MessageKind::FileUnreadable, error})
            << '\n';
        return 1;
    }
    out.flush();
    return out ? 0 : 1;
}

}  // namespace zemra::cli
