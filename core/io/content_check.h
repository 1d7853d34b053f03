#pragma once

#include <cstdint>
#include <span>

#include "io/byte_source.h"

namespace zemra {

// Whether a file still holds the bytes it held when read before: their number and their CRC-32.
// A small fraction of SHA-256's work, for a second read that only has to find that the file
// did not change in between.
struct ContentCheck {
    std::uint64_t size = 0;
    std::uint32_t crc32 = 0;

    friend bool operator==(const ContentCheck&, const ContentCheck&) = default;
};

// Reads through from `next`, taking the check of what it delivered.
class CheckingSource : public ByteSource {
  public:
    explicit CheckingSource(ByteSource& next);
    std::size_t read(std::span<std::byte> buffer) override;
    std::uint64_t expectedSize() const override { return next_.expectedSize(); }
    ContentCheck finish() const { return check_; }

  private:
    ByteSource& next_;
    ContentCheck check_;
};

}  // namespace zemra
