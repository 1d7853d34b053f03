#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "io/byte_sink.h"
#include "io/byte_source.h"
#include "platform/sha256.h"

namespace zemra {

// What tells one file's bytes from every other's: their number and their SHA-256.
struct Fingerprint {
    std::uint64_t size = 0;
    platform::Sha256Digest sha256{};

    // The SHA-256 as 64 lowercase hex digits, as sha256sum prints it.
    std::string sha256Hex() const;

    friend bool operator==(const Fingerprint&, const Fingerprint&) = default;
};

// The fingerprint of bytes as they pass, so that a file is never read back for it.
class FingerprintTaker {
  public:
    void take(std::span<const std::byte> bytes) {
        size_ += bytes.size();
        hash_.update(bytes);
    }
    Fingerprint finish() { return {size_, hash_.finish()}; }

  private:
    std::uint64_t size_ = 0;
    platform::Sha256 hash_;
};

// Writes through to `next`, taking the fingerprint of what it wrote.
class FingerprintingSink : public ByteSink {
  public:
    explicit FingerprintingSink(ByteSink& next) : next_(next) {}
    void write(std::span<const char> bytes) override {
        next_.write(bytes);
        taker_.take(std::as_bytes(bytes));
    }
    Fingerprint finish() { return taker_.finish(); }

  private:
    ByteSink& next_;
    FingerprintTaker taker_;
};

// Reads through from `next`, taking the fingerprint of what it delivered.
class FingerprintingSource : public ByteSource {
  public:
    explicit FingerprintingSource(ByteSource& next) : next_(next) {}
    std::size_t read(std::span<std::byte> buffer) override {
        const std::size_t count = next_.read(buffer);
        taker_.take(buffer.first(count));
        return count;
    }
    std::uint64_t expectedSize() const override { return next_.expectedSize(); }
    Fingerprint finish() { return taker_.finish(); }

  private:
    ByteSource& next_;
    FingerprintTaker taker_;
};

}  // namespace zemra
