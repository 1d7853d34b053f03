#include "run/text_output.h"

namespace zemra {
namespace {

constexpr std::size_t kFileChunk = std::size_t{1} << 20;

}  // namespace

void TextOutput::write(std::string_view text) {
    if (mode_ == Mode::Discard) {
        return;
    }
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lineFeed = text.find('\n', start);
        if (lineFeed == std::string_view::npos) {
            buffer_.append(text.substr(start));
            break;
        }
        buffer_.append(text.substr(start, lineFeed - start));
        buffer_.append("\r\n");
        start = lineFeed + 1;
    }
    if (mode_ == Mode::File && buffer_.size() >= kFileChunk) {
        flush();
    }
}

bool TextOutput::flush() {
    if (mode_ == Mode::File && !buffer_.empty()) {
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
            failed_ = true;
        }
        buffer_.clear();
    }
    return !failed_;
}

}  // namespace zemra
