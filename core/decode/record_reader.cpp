#include "decode/record_reader.h"

#include <cstring>

namespace zemra {
namespace {

constexpr std::size_t kRecordsPerBlock = 1024;
constexpr std::size_t kBlockSize = kRecordsPerBlock * kRecordSize;

}  // namespace

RecordReader::RecordReader(ByteSource& input)
    : input_(input), block_(std::make_unique_for_overwrite<std::byte[]>(kBlockSize)) {}

bool RecordReader::fill() {
    // The start of a record that a read cut off moves to the front of the block.
    const std::size_t rest = held_ - used_;
    if (rest > 0) {
        std::memmove(block_.get(), block_.get() + used_, rest);
    }
    held_ = rest;
    used_ = 0;
    while (held_ < kRecordSize) {
        const std::size_t count =
            input_.read(std::span<std::byte>(block_.get() + held_, kBlockSize - held_));
        if (count == 0) {
            return false;
        }
        held_ += count;
    }
    return true;
}

}  // namespace zemra
