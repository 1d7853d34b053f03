#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zemra {

// One whole conversion of arbitrary bytes. The first byte picks the tester variant, the
// reverse-pins option and whether the run is traced; the rest is the component file. Outputs are
// formatted and thrown away.
void fuzzOneInput(std::span<const std::uint8_t> data);

}  // namespace zemra
