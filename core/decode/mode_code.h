#pragma once

#include "decode/step_fields.h"

namespace zemra {

// MODE selected by a step's mode character: "1" to "3" give 3, "4" to "6" give 4; any other
// byte keeps the current MODE and is noted as a code that selects none.
inline void applyModeCode(char modeCode, StepFields& fields) {
    if (modeCode >= '1' && modeCode <= '3') {
        fields.mode = 3;
    } else if (modeCode >= '4' && modeCode <= '6') {
        fields.mode = 4;
    } else {
        fields.markUnknown(UnknownCode::ModeCode);
    }
}

}  // namespace zemra
