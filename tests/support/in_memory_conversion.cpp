#include "in_memory_conversion.h"

namespace zemra::testing {

namespace {

ConvertedBoard convertBytes(const std::string& bytes, const BoardSettings& settings) {
    MemorySource input(std::as_bytes(std::span(bytes)));
    MemorySink listing;
    MemorySink icn;
    MemorySink icp;
    MemorySink scp;
    ConvertedBoard board;
    board.summary = convertBoard(input, settings, {listing, icn, icp, scp}, board.lists);
    board.listing = listing.text();
    board.icn = icn.text();
    board.icp = icp.text();
    board.scp = scp.text();
    return board;
}

}  // namespace

ConvertedBoard convertInMemory(const std::string& bytes, DecodeOptions options,
                               const std::string& title, const LocalDateTime& at) {
    return convertBytes(bytes, {title, options, at});
}

ConvertedBoard convertInMemory(const std::vector<RecordBuilder>& records, DecodeOptions options) {
    return convertInMemory(recordsOf(records), options);
}

ConvertedBoard convertInMemory(const std::vector<RecordBuilder>& records,
                               RecordObserver& observer) {
    return convertInMemory(recordsOf(records), observer);
}

ConvertedBoard convertInMemory(const std::string& bytes, RecordObserver& observer,
                               DecodeOptions options) {
    return convertBytes(bytes,
                        {.title = "BOARD", .options = options, .at = {}, .observer = &observer});
}

std::string recordsOf(const std::vector<RecordBuilder>& records) {
    std::string bytes;
    for (const RecordBuilder& record : records) {
        bytes.append(reinterpret_cast<const char*>(record.bytes().data()), record.bytes().size());
    }
    return bytes;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> stepLinesOf(const std::vector<RecordBuilder>& records,
                                     DecodeOptions options) {
    constexpr std::ptrdiff_t kHeaderLines = 5;
    const auto lines = linesOf(convertInMemory(records, options).listing);
    return {lines.begin() + kHeaderLines, lines.end()};
}

std::vector<std::string> stepLinesOf(const RecordBuilder& record, DecodeOptions options) {
    return stepLinesOf(std::vector<RecordBuilder>{record}, options);
}

}  // namespace zemra::testing
