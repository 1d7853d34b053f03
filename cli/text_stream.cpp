#include "text_stream.h"

namespace zemra::cli {

TextStream::TextStream(Stream stream) : std::ostream(nullptr), buffer_(stream) {
    rdbuf(&buffer_);
}

TextStream::~TextStream() {
    flush();
}

TextStream::LineBuffer::int_type TextStream::LineBuffer::overflow(int_type character) {
    if (traits_type::eq_int_type(character, traits_type::eof())) {
        return traits_type::not_eof(character);
    }
    line_ += traits_type::to_char_type(character);
    if (line_.back() == '\n') {
        sync();
    }
    return character;
}

int TextStream::LineBuffer::sync() {
    if (!line_.empty()) {
        writeText(stream_, line_);
        line_.clear();
    }
    return 0;
}

}  // namespace zemra::cli
