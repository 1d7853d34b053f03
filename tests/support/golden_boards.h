#pragma once

#include <string>

namespace zemra::testing {

// A small board with two ICs tested pin by pin between other parts: U1's J steps head the J
// steps and pair with each other, U2's diode pins are raised by a J step, and a second diode
// step of U2 pin 3 overrides the first. Its outputs are kept as golden files.
std::string twoIcBoard();

// A board whose diode steps were written with their Hi pin on the common ground: only with
// reverse-pins do they meet the common pin, so the ICs U3 and IC5 are found by their pins. IC5's
// J step finds its pin 4 under the KX740 FE/FR; under the KX740E that step belongs to a device
// JIC5 and IC5 is U5. Its outputs under KX740E with reverse-pins are kept as golden files.
std::string backwardDiodeBoard();

// Eight diode steps of the IC U1, one of them naming its pin `highestPin`: the .icp gets a line
// for every pin up to that one (pin 999999: 23 MB, pin 99999999: 2,000 MB), and takes long
// enough to write that a run can be stopped in the middle of it.
std::string longIcpBoard(int highestPin);

// Lines of those golden files that the two options change: the listing line of the first diode
// step (U3 pin 1) and the .icn file.
inline constexpr const char* kBackwardDiodeLineKx740eReversed =
    "   2 U3_1            0.70V    B1   61  100     0     0     0     0     0     0";
inline constexpr const char* kBackwardIcnKx740eReversed =
    " 1    U3  B1    8   0      0      1   0  30  30   0   0   0   0\r\n"
    " 2    U5  C2    9   0      0      9   0  30  30   0   0   0   0\r\n";

}  // namespace zemra::testing
