#pragma once

namespace zemra {

// MODE selected by a step's mode character: "1" to "3" give 3, "4" to "6" give 4; any other
// byte keeps the current MODE.
inline int modeFromModeCode(char modeCode, int currentMode) {
    if (modeCode >= '1' && modeCode <= '3') {
        return 3;
    }
    if (modeCode >= '4' && modeCode <= '6') {
        return 4;
    }
    return currentMode;
}

}  // namespace zemra
