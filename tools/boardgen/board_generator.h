#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zemra {

// A synthetic but realistic component file: resistors, capacitors, inductors, voltage steps,
// diodes, transistors, connectors and jumpers, ICs tested pin by pin (diode steps to a common
// pin, chained J steps, plain pin steps) interleaved with the other parts, and skipped records.
// The same seed and size always give the same bytes.
std::vector<std::byte> generateBoard(std::uint64_t seed, std::size_t recordCount);

}  // namespace zemra
