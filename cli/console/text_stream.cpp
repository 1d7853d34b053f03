#include "text_stream.h"

namespace zemra::cli {

TextStream::TextStream(Stream stream) : std::ostream(nullptr), buffer_(stream) {
    rdbuf(&buffer_);
}

TextStream::~TextStream() {
    flush();
}

std::error_code TextStream::finish() {
    flush();
    return buffer_.finish();
}

std::error_code TextStream::LineBuffer::finish() {
    sync();
    const std::error_code error = finishText(stream_);
    if (!error_) {
        error_ = error;
    }
    return error_;
}

TextStream::LineBuffer::int_type TextStream::LineBuffer::overflow(int_type character) {
    if (traits_type::eq_int_type(character, traits_type::eof())) {
        return traits_type::not_eof(character);
    }
    line_ += traits_type::to_char_type(character);
    if (line_.back() == '\n' && sync() != 0) {
        return traits_type::eof();
    }
    return character;
}

// After a failed write the rest is dropped: text after a gap would mislead whoever reads it.
int TextStream::LineBuffer::sync() {
    if (!line_.empty() && !error_) {
        error_ = writeText(stream_, line_);
    }
    line_.clear();
    return error_ ? -1 : 0;
}

}  // namespace zemra::cli
