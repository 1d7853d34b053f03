#pragma once

namespace zemra {

// Maxima over the records of one run, reported by the settings file.
struct RunCounters {
    int maxPin = 0;
    int maxLcLetter = 0;
    int maxLcDigit = 0;
};

}  // namespace zemra
