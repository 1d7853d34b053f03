#pragma once

#include "diff/walked_steps.h"
#include "io/read_ahead.h"

namespace zemra {

// Reads another WalkedSteps on a thread of its own, a few batches of steps ahead of its caller,
// so that the two revisions of a comparison are decoded side by side. What the reading throws is
// thrown where the step that failed would have come, and by sameBytes(). Stopped and joined when
// destroyed; `inner` must outlive it and is touched by no one else meanwhile.
class StepsReadAhead : public WalkedSteps {
  public:
    explicit StepsReadAhead(WalkedSteps& inner)
        : inner_(inner),
          ahead_([&inner] { return inner.nextOrNone(); },
                 [this] { sameBytes_ = inner_.sameBytes(); }, {.steps = 1024, .mostReady = 4}) {}

    ListedStep* nextOrNone() override { return ahead_.next(); }
    bool sameBytes() override {
        ahead_.waitForEnd();
        return sameBytes_;
    }

  private:
    WalkedSteps& inner_;
    bool sameBytes_ = false;  // set by the reading thread before it ends
    ReadAhead<ListedStep> ahead_;
};

}  // namespace zemra
