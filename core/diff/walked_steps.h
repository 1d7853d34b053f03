#pragma once

#include "diff/listed_step.h"

namespace zemra {

// The steps of one revision as a comparison's second pass reads them.
class WalkedSteps {
  public:
    virtual ~WalkedSteps() = default;
    // The next step, none after the last. It stays until the next call.
    virtual ListedStep* nextOrNone() = 0;
    // Once none is left: whether the bytes read were those of the first pass.
    virtual bool sameBytes() = 0;
};

}  // namespace zemra
