#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zemra {

// One whole conversion of arbitrary bytes. The first byte picks the tester variant (bit 0), the
// reverse-pins option (bit 1) and whether the run is traced (bit 2), which also writes its text,
// JSON and page reports; whether the records are dumped as CSV (bit 3) and as a workbook too
// (bit 4); and whether two boards cut from the records are compared as --diff compares them
// (bit 5). The rest is the component file. Outputs are formatted and thrown away.
void fuzzOneInput(std::span<const std::uint8_t> data);

}  // namespace zemra
