#pragma once

#include <string>

namespace zemra::testing {

// A small board with two ICs tested pin by pin between other parts: U1's J steps head the J
// steps and pair with each other, U2's diode pins are raised by a J step, and a second diode
// step of U2 pin 3 overrides the first. Its outputs are kept as golden files.
std::string twoIcBoard();

}  // namespace zemra::testing
