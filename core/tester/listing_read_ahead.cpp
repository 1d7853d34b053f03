#include "tester/listing_read_ahead.h"

#include <utility>

namespace zemra {
namespace {

// Small enough that a few batches cost little memory, large enough that the two threads seldom
// wait for each other.
constexpr std::size_t kBatchSteps = 4096;
constexpr std::size_t kMostReadyBatches = 3;

}  // namespace

ListingReadAhead::ListingReadAhead(ListingReader& reader)
    : reader_(reader), reading_([this] { readBatches(); }) {}

ListingReadAhead::~ListingReadAhead() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    reading_.join();
}

void ListingReadAhead::readBatches() {
    for (;;) {
        Batch batch;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || ready_.size() < kMostReadyBatches; });
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
            while (batch.steps.size() < kBatchSteps) {
                const ListedColumns* step = reader_.next();
                if (step == nullptr) {
                    batch.last = true;
                    break;
                }
                batch.steps.push_back(*step);
            }
        } catch (...) {
            batch.failure = std::current_exception();
            batch.last = true;
        }
        const bool last = batch.last;
        {
            const std::lock_guard lock(mutex_);
            ready_.push_back(std::move(batch));
        }
        changed_.notify_all();
        if (last) {
            return;
        }
    }
}

bool ListingReadAhead::takeBatch() {
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

const ListedColumns* ListingReadAhead::next() {
    while (nextStep_ == current_.steps.size()) {
        if (!takeBatch()) {
            return nullptr;
        }
    }
    return &current_.steps[nextStep_++];
}

}  // namespace zemra
