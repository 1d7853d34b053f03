#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace zemra {

// Takes the records of a board in pieces, so that a board larger than memory can be written.
using RecordPieces = std::function<void(const std::vector<std::byte>& records)>;

// The IC-dense board of the performance figures: `devices` ICs U1.., each with 10 diode steps
// from pins 1 to 10 to a ground pin shared by all, 4 J steps whose names join two pin numbers,
// and 2 resistors. 71,429 devices give 1,142,864 records (73 MB).
void makeIcDenseBoard(std::size_t devices, const RecordPieces& take);

// One IC U1 with 8 distinct diode steps, then `copies` identical diode steps for its pin 2 and
// `copies` identical J steps that each match every one of them: what would cost the square of
// its size if handled step by step.
void makeDuplicateBoard(std::size_t copies, const RecordPieces& take);

}  // namespace zemra
