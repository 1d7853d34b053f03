#include "workbook_recognition.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zemra::cli {
namespace {

// The entries of the workbook RecordWorkbook writes, in the order the library writes them.
constexpr std::array<std::string_view, 9> kEntries{"[Content_Types].xml",
                                                   "_rels/.rels",
                                                   "xl/_rels/workbook.xml.rels",
                                                   "xl/worksheets/sheet1.xml",
                                                   "xl/workbook.xml",
                                                   "xl/theme/theme1.xml",
                                                   "xl/styles.xml",
                                                   "docProps/core.xml",
                                                   "docProps/app.xml"};

// The end of the archive is kept: its directory and end record are small for such a workbook.
constexpr std::size_t kTailBytes = 1 << 16;
constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kDirectoryEntrySize = 46;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kDirectorySignature = 0x02014b50;
constexpr std::uint32_t kLocalSignature = 0x04034b50;

std::uint32_t littleEndian(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t index = size; index-- > 0;) {
        value = (value << 8U) | static_cast<unsigned char>(bytes[at + index]);
    }
    return value;
}

}  // namespace

bool isWorkbookOfOurs(ReadableFile& file) {
    std::string head;
    std::string tail;
    std::vector<std::byte> buffer(kTailBytes);
    while (const std::size_t count = file.read(buffer)) {
        const auto* bytes = reinterpret_cast<const char*>(buffer.data());
        if (head.size() < 4) {
            head.append(bytes, std::min<std::size_t>(count, 4 - head.size()));
        }
        tail.append(bytes, count);
        if (tail.size() > 2 * kTailBytes) {
            tail.erase(0, tail.size() - kTailBytes);
        }
    }
    if (head.size() < 4 || littleEndian(head, 0, 4) != kLocalSignature ||
        tail.size() < kEndRecordSize) {
        return false;
    }
    // No archive comment: the end record is the last 22 bytes.
    const std::string_view end = std::string_view(tail).substr(tail.size() - kEndRecordSize);
    if (littleEndian(end, 0, 4) != kEndSignature || littleEndian(end, 10, 2) != kEntries.size()) {
        return false;
    }
    const std::size_t directorySize = littleEndian(end, 12, 4);
    if (directorySize > tail.size() - kEndRecordSize) {
        return false;
    }
    std::string_view directory =
        std::string_view(tail).substr(tail.size() - kEndRecordSize - directorySize, directorySize);
    for (const std::string_view expected : kEntries) {
        if (directory.size() < kDirectoryEntrySize ||
            littleEndian(directory, 0, 4) != kDirectorySignature) {
            return false;
        }
        const std::size_t nameSize = littleEndian(directory, 28, 2);
        const std::size_t extraSize = littleEndian(directory, 30, 2);
        const std::size_t commentSize = littleEndian(directory, 32, 2);
        const std::size_t entrySize = kDirectoryEntrySize + nameSize + extraSize + commentSize;
        if (directory.size() < entrySize ||
            directory.substr(kDirectoryEntrySize, nameSize) != expected) {
            return false;
        }
        directory.remove_prefix(entrySize);
    }
    return directory.empty();
}

}  // namespace zemra::cli
