#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "decode/component_record.h"
#include "io/byte_source.h"

namespace zemra {

// Reads the whole records of a component file, from its start to its end, in large blocks. A
// trailing partial record is no record; only its size is kept.
class RecordReader {
  public:
    explicit RecordReader(ByteSource& input);

    // The next whole record, none once the input has ended. The bytes stay valid until the next
    // call. A failing source throws through here.
    std::optional<std::span<const std::byte, kRecordSize>> next() {
        if (held_ - used_ < kRecordSize && !fill()) {
            return std::nullopt;
        }
        const std::byte* record = block_.get() + used_;
        used_ += kRecordSize;
        return std::span<const std::byte, kRecordSize>(record, kRecordSize);
    }

    // The bytes after the last whole record, once next() has returned none.
    std::size_t trailingBytes() const { return held_ - used_; }

  private:
    // Reads until a whole record is held or the input ends; whether one is held.
    bool fill();

    ByteSource& input_;
    std::unique_ptr<std::byte[]> block_;
    std::size_t held_ = 0;
    std::size_t used_ = 0;
};

}  // namespace zemra
