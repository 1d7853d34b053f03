#pragma once

#include <cstddef>
#include <vector>

namespace zemra {

// A board of `pinSteps` IC pin steps spread over `devices` devices: a tenth of the devices are
// ICs that take most of the steps (diode steps to a shared ground and chained J steps), the rest
// are small devices with a few pin steps each. Sized to measure the passes after the record loop.
std::vector<std::byte> makePinStepBoard(std::size_t pinSteps, std::size_t devices);

}  // namespace zemra
