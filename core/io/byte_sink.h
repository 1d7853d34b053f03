#pragma once

#include <span>
#include <string>

namespace zemra {

// Where the bytes of one output go. A sink that cannot take them throws; nothing after a failed
// write is worth formatting.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual void write(std::span<const char> bytes) = 0;
    // True when nothing written here is kept, so that a writer may leave its text unformatted.
    virtual bool discards() const { return false; }
};

// Keeps everything written, for tests, the fuzzer and the benchmarks.
class MemorySink : public ByteSink {
  public:
    void write(std::span<const char> bytes) override { text_.append(bytes.data(), bytes.size()); }
    const std::string& text() const { return text_; }
    void clear() { text_.clear(); }

  private:
    std::string text_;
};

// Takes everything and keeps nothing.
class DiscardingSink : public ByteSink {
  public:
    void write(std::span<const char> /*bytes*/) override {}
};

}  // namespace zemra
