#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "diff/walked_steps.h"

namespace zemra {

// Reads another WalkedSteps on a thread of its own, a few batches of steps ahead of its caller,
// so that the two revisions of a comparison are decoded side by side. What the reading throws is
// thrown to the caller where it reaches that point. Stopped and joined when destroyed; `inner`
// must outlive it and is touched by no one else meanwhile.
class StepsReadAhead : public WalkedSteps {
  public:
    explicit StepsReadAhead(WalkedSteps& inner);
    ~StepsReadAhead() override;
    StepsReadAhead(const StepsReadAhead&) = delete;
    StepsReadAhead& operator=(const StepsReadAhead&) = delete;

    ListedStep* nextOrNone() override;
    bool sameBytes() override;

  private:
    using Batch = std::vector<ListedStep>;
    static constexpr std::size_t kBatchSteps = 1024;
    static constexpr std::size_t kMostBatches = 4;

    void read();
    // Hands a batch over, waiting while the queue is full; false once stopped.
    bool handOver(Batch& batch);

    WalkedSteps& inner_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Batch> queue_;
    bool done_ = false;
    bool stopped_ = false;
    bool sameBytes_ = false;
    std::exception_ptr failure_;
    Batch current_;
    std::size_t next_ = 0;
    std::thread reader_;
};

}  // namespace zemra
