#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace zemra {

// Where the bytes of a component file come from. A source that cannot deliver them throws.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Fills the start of `buffer`; returns how many bytes it holds, 0 only at the end.
    virtual std::size_t read(std::span<std::byte> buffer) = 0;
    // How many bytes the source expects to deliver in all, 0 when it cannot tell: lets a reader
    // size its lists once instead of growing them.
    virtual std::uint64_t expectedSize() const { return 0; }
};

// The bytes of a component file held in memory.
class MemorySource : public ByteSource {
  public:
    explicit MemorySource(std::span<const std::byte> bytes) : size_(bytes.size()), rest_(bytes) {}

    std::size_t read(std::span<std::byte> buffer) override {
        const std::size_t count = std::min(buffer.size(), rest_.size());
        if (count > 0) {
            std::memcpy(buffer.data(), rest_.data(), count);
        }
        rest_ = rest_.subspan(count);
        return count;
    }
    std::uint64_t expectedSize() const override { return size_; }

  private:
    std::uint64_t size_;
    std::span<const std::byte> rest_;
};

}  // namespace zemra
