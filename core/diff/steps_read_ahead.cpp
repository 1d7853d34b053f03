#include "diff/steps_read_ahead.h"

#include <utility>

namespace zemra {

StepsReadAhead::StepsReadAhead(WalkedSteps& inner) : inner_(inner) {
    reader_ = std::thread([this] { read(); });
}

StepsReadAhead::~StepsReadAhead() {
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
    reader_.join();
}

void StepsReadAhead::read() {
    try {
        Batch batch;
        batch.reserve(kBatchSteps);
        while (const ListedStep* step = inner_.nextOrNone()) {
            batch.push_back(*step);
            if (batch.size() == kBatchSteps && !handOver(batch)) {
                return;
            }
        }
        if (!batch.empty() && !handOver(batch)) {
            return;
        }
        const bool same = inner_.sameBytes();
        const std::lock_guard lock(mutex_);
        sameBytes_ = same;
        done_ = true;
    } catch (...) {
        const std::lock_guard lock(mutex_);
        failure_ = std::current_exception();
        done_ = true;
    }
    changed_.notify_all();
}

bool StepsReadAhead::handOver(Batch& batch) {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return stopped_ || queue_.size() < kMostBatches; });
        if (stopped_) {
            return false;
        }
        queue_.push_back(std::move(batch));
    }
    changed_.notify_all();
    batch = Batch();
    batch.reserve(kBatchSteps);
    return true;
}

ListedStep* StepsReadAhead::nextOrNone() {
    if (next_ == current_.size()) {
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return !queue_.empty() || done_; });
            if (queue_.empty()) {
                if (failure_) {
                    std::rethrow_exception(failure_);
                }
                return nullptr;
            }
            current_ = std::move(queue_.front());
            queue_.pop_front();
        }
        changed_.notify_all();
        next_ = 0;
    }
    return &current_[next_++];
}

bool StepsReadAhead::sameBytes() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return done_; });
    if (failure_) {
        std::rethrow_exception(failure_);
    }
    return sameBytes_;
}

}  // namespace zemra
