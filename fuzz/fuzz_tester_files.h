#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zemra {

// Reads arbitrary bytes as a file of a tester folder. The first byte picks the file: a listing
// (whole, or its steps after a valid header of either variant), a .icn with a .icp, or a .scp.
// A file that is refused is fine; one that is accepted must write back to the same lines, or the
// fuzzer stops.
void fuzzTesterFiles(std::span<const std::uint8_t> data);

}  // namespace zemra
