#include "tester/line_reader.h"

#include <cstring>

#include "tester/tester_file_refused.h"

namespace zemra {

LineReader::LineReader(ByteSource& input, std::string fileName)
    : input_(input), fileName_(std::move(fileName)) {
    // A small file takes no more room than it needs, and a line of the longest kind fits always.
    const std::uint64_t expected = input_.expectedSize();
    const std::size_t block =
        expected == 0 || expected > kBlockSize ? kBlockSize : static_cast<std::size_t>(expected);
    buffer_.resize(block + kLongestLine + 1);
}

bool LineReader::fill() {
    if (atEnd_) {
        return false;
    }
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    const std::size_t count = input_.read(std::as_writable_bytes(std::span(buffer_).subspan(end_)));
    end_ += count;
    atEnd_ = count == 0;
    return count > 0;
}

std::optional<std::string_view> LineReader::next() {
    for (;;) {
        const char* first = buffer_.data() + begin_;
        const auto* lineFeed = static_cast<const char*>(std::memchr(first, '\n', end_ - begin_));
        if (lineFeed != nullptr || (atEnd_ && begin_ < end_)) {
            const char* last = lineFeed != nullptr ? lineFeed : buffer_.data() + end_;
            std::string_view line(first, static_cast<std::size_t>(last - first));
            begin_ += line.size() + (lineFeed != nullptr ? 1 : 0);
            ++line_;
            if (line.size() > kLongestLine) {
                refuse(kLongestLine + 1, "a line end");
            }
            if (lineFeed != nullptr && !line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            return line;
        }
        if (end_ - begin_ > kLongestLine) {
            ++line_;
            refuse(kLongestLine + 1, "a line end");
        }
        if (!fill()) {
            if (begin_ == end_) {
                return std::nullopt;
            }
        }
    }
}

void LineReader::refuse(std::size_t column, const std::string& expected) const {
    throw TesterFileRefused(fileName_, line_, column, expected);
}

void LineReader::refuseEnd(const std::string& expected) const {
    throw TesterFileRefused(fileName_, line_ + 1, 1, expected + ", not the end of the file");
}

}  // namespace zemra
