#include "io/content_check.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace zemra {

CheckingSource::CheckingSource(ByteSource& next) : next_(next) {
    check_.crc32 = static_cast<std::uint32_t>(crc32(0, nullptr, 0));
}

std::size_t CheckingSource::read(std::span<std::byte> buffer) {
    const std::size_t count = next_.read(buffer);
    check_.size += count;
    // zlib takes at most a uInt's worth at a time.
    for (std::span<const std::byte> rest = buffer.first(count); !rest.empty();) {
        const std::size_t part =
            std::min<std::size_t>(rest.size(), std::numeric_limits<uInt>::max());
        check_.crc32 = static_cast<std::uint32_t>(crc32(
            check_.crc32, reinterpret_cast<const Bytef*>(rest.data()), static_cast<uInt>(part)));
        rest = rest.subspan(part);
    }
    return count;
}

}  // namespace zemra
