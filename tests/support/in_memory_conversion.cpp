#include "in_memory_conversion.h"

namespace zemra::testing {

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

std::vector<std::string> stepLinesOf(const RecordBuilder& record, DecodeOptions options) {
    InMemoryConversion conversion(options);
    conversion.add(record);
    return linesOf(conversion.listing());
}

}  // namespace zemra::testing
