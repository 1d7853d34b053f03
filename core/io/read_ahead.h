#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace zemra {

// How much a ReadAhead reads ahead: small enough that a few batches cost little memory, large
// enough that the two threads seldom wait for each other.
struct ReadAheadBatches {
    std::size_t steps = 0;  // in a batch
    std::size_t mostReady = 0;
};

// Steps read on a thread of their own, a few batches ahead of the caller, so that reading them
// and what the caller does with each share the machine's cores. `read` gives the next step, none
// after the last; `end`, if given, does what else the reading does after its last step. Both run
// on the reading thread alone, and what they throw is thrown by next() where the step that failed
// would have come. Stopped and joined when destroyed, once the batch being read is whole.
template <typename Step>
class ReadAhead {
  public:
    ReadAhead(std::function<const Step*()> read, std::function<void()> end,
              ReadAheadBatches batches)
        : read_(std::move(read)),
          end_(std::move(end)),
          batches_(batches),
          reading_([this] { readBatches(); }) {}

    ~ReadAhead() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        reading_.join();
    }

    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next step, none after the last. It stays until the next call.
    Step* next() {
        while (nextStep_ == current_.steps.size()) {
            if (!takeBatch()) {
                return nullptr;
            }
        }
        return &current_.steps[nextStep_++];
    }

    // Waits until the reading has ended and throws what it threw. The steps not yet taken stay,
    // but no more than `batches.mostReady` batches of them can wait: the reading waits for room.
    void waitForEnd() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return ended_; });
        const std::exception_ptr failure =
            ready_.empty() ? current_.failure : ready_.back().failure;
        if (failure) {
            std::rethrow_exception(failure);
        }
    }

  private:
    struct Batch {
        std::vector<Step> steps;
        std::exception_ptr failure;  // after the steps
        bool last = false;
    };

    void readBatches() {
        for (;;) {
            Batch batch;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock,
                              [this] { return stopping_ || ready_.size() < batches_.mostReady; });
                if (stopping_) {
                    return;
                }
                if (!spare_.empty()) {
                    batch.steps = std::move(spare_.back());
                    spare_.pop_back();
                }
            }
            batch.steps.clear();
            try {
                fill(batch);
            } catch (...) {
                batch.failure = std::current_exception();
                batch.last = true;
            }
            const bool last = batch.last;
            {
                const std::lock_guard lock(mutex_);
                ready_.push_back(std::move(batch));
                ended_ = last;
            }
            changed_.notify_all();
            if (last) {
                return;
            }
        }
    }

    void fill(Batch& batch) {
        while (batch.steps.size() < batches_.steps) {
            const Step* step = read_();
            if (step == nullptr) {
                batch.last = true;
                if (end_ && !stopping()) {
                    end_();
                }
                return;
            }
            batch.steps.push_back(*step);
        }
    }

    bool stopping() {
        const std::lock_guard lock(mutex_);
        return stopping_;
    }

    bool takeBatch() {
        if (current_.failure) {
            std::rethrow_exception(current_.failure);
        }
        if (current_.last) {
            return false;
        }
        std::unique_lock lock(mutex_);
        if (current_.steps.capacity() != 0) {
            spare_.push_back(std::move(current_.steps));
        }
        changed_.wait(lock, [this] { return !ready_.empty(); });
        current_ = std::move(ready_.front());
        ready_.pop_front();
        lock.unlock();
        changed_.notify_all();
        nextStep_ = 0;
        return true;
    }

    std::function<const Step*()> read_;
    std::function<void()> end_;
    ReadAheadBatches batches_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Batch> ready_;
    std::vector<std::vector<Step>> spare_;
    bool stopping_ = false;
    bool ended_ = false;
    Batch current_;
    std::size_t nextStep_ = 0;
    std::thread reading_;  // last, so that it starts once the rest is made
};

}  // namespace zemra
