#include "text/text_writer.h"

namespace zemra {

TextWriter::TextWriter(ByteSink& sink)
    : sink_(sink), block_(std::make_unique_for_overwrite<char[]>(kBlockSize)) {}

void TextWriter::longPad(std::size_t count) {
    while (count > 0) {
        ensureRoom(1);
        const std::size_t run = std::min(count, kBlockSize - used_);
        pad(run);
        count -= run;
    }
}

void TextWriter::longText(std::string_view bytes, std::size_t width, Align align) {
    const std::size_t padding = width > bytes.size() ? width - bytes.size() : 0;
    if (align == Align::Right) {
        longPad(padding);
    }
    while (!bytes.empty()) {
        const std::size_t lineFeed = bytes.find('\n');
        // A long text, such as a long file title, goes out in pieces that fit a block.
        for (std::string_view rest = bytes.substr(0, lineFeed); !rest.empty();) {
            ensureRoom(std::min(rest.size(), kBlockSize));
            const std::string_view piece = rest.substr(0, kBlockSize - used_);
            copy(piece);
            rest.remove_prefix(piece.size());
        }
        if (lineFeed == std::string_view::npos) {
            break;
        }
        endLine();
        bytes.remove_prefix(lineFeed + 1);
    }
    if (align == Align::Left) {
        longPad(padding);
    }
}

void TextWriter::longFixed2(double value, std::size_t width) {
    // The widest double in fixed notation has 309 digits before the point.
    std::array<char, 320> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                      std::chars_format::fixed, 2);
    const auto size = static_cast<std::size_t>(result.ptr - digits.data());
    longPad(width > size ? width - size : 0);
    ensureRoom(size);
    copy({digits.data(), size});
}

void TextWriter::flush() {
    if (used_ > 0) {
        const std::size_t count = used_;
        used_ = 0;
        sink_.write({block_.get(), count});
    }
}

}  // namespace zemra
