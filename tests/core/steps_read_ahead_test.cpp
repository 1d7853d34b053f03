// The steps of a comparison's second pass read ahead on a thread of their own: every step the
// inner reading gives, in order, across batches; what it throws, where the step that failed would
// have come; its verdict on the bytes once it ends; and, left early, no more reading than the
// batches it may keep ready.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "behaviour_name.h"
#include "diff/steps_read_ahead.h"

namespace zemra {
namespace {

// Gives `count` steps whose offsets count from 0, failing instead of the step at `failAt`.
class CountedSteps : public WalkedSteps {
  public:
    CountedSteps(std::uint64_t count, std::optional<std::uint64_t> failAt, bool sameBytes,
                 bool sameBytesFails)
        : count_(count), failAt_(failAt), sameBytes_(sameBytes), sameBytesFails_(sameBytesFails) {}

    ListedStep* nextOrNone() override {
        const std::uint64_t offset = given_;
        if (failAt_ == offset) {
            throw std::runtime_error("step " + std::to_string(offset) + " unreadable");
        }
        if (offset == count_) {
            return nullptr;
        }
        ++given_;
        step_.offset = offset;
        return &step_;
    }

    bool sameBytes() override {
        asked_ = true;
        if (sameBytesFails_) {
            throw std::runtime_error("the rest unreadable");
        }
        return sameBytes_;
    }

    std::uint64_t given() const { return given_; }
    bool asked() const { return asked_; }

  private:
    std::uint64_t count_;
    std::optional<std::uint64_t> failAt_;
    bool sameBytes_;
    bool sameBytesFails_;
    std::atomic<std::uint64_t> given_ = 0;
    std::atomic<bool> asked_ = false;
    ListedStep step_;
};

struct ReadAheadCase {
    std::string behaviour;
    std::uint64_t steps;
    std::optional<std::uint64_t> failAt;
    bool sameBytes;
    bool sameBytesFails;
    std::uint64_t stepsSeen;
    std::string failure;  // what nextOrNone() throws after the steps seen, if anything
};

class StepsReadAheadTest : public ::testing::TestWithParam<ReadAheadCase> {};

TEST_P(StepsReadAheadTest, GivesTheStepsThenTheEndOrTheFailure) {
    const ReadAheadCase& c = GetParam();
    CountedSteps inner(c.steps, c.failAt, c.sameBytes, c.sameBytesFails);
    StepsReadAhead ahead(inner);
    std::uint64_t seen = 0;
    std::string failure;
    try {
        while (const ListedStep* step = ahead.nextOrNone()) {
            ASSERT_EQ(step->offset, seen);
            ++seen;
        }
    } catch (const std::runtime_error& error) {
        failure = error.what();
    }
    EXPECT_EQ(seen, c.stepsSeen);
    EXPECT_EQ(failure, c.failure);
    if (c.failure.empty()) {
        EXPECT_EQ(ahead.sameBytes(), c.sameBytes);
    } else {
        EXPECT_THROW(ahead.sameBytes(), std::runtime_error);
        // Asked again, the failure stays where it was.
        EXPECT_THROW(ahead.nextOrNone(), std::runtime_error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Readings, StepsReadAheadTest,
    ::testing::Values(
        ReadAheadCase{"NoSteps", 0, std::nullopt, true, false, 0, ""},
        ReadAheadCase{"OneStep", 1, std::nullopt, true, false, 1, ""},
        ReadAheadCase{"ABatchExactly", 1024, std::nullopt, true, false, 1024, ""},
        ReadAheadCase{"ManyBatchesOtherBytes", 10000, std::nullopt, false, false, 10000, ""},
        ReadAheadCase{"FailingAtTheFirstStep", 10, 0, true, false, 0, "step 0 unreadable"},
        ReadAheadCase{"FailingInsideALaterBatch", 5000, 3000, true, false, 3000,
                      "step 3000 unreadable"},
        ReadAheadCase{"FailingAfterWholeBatches", 5000, 2048, true, false, 2048,
                      "step 2048 unreadable"},
        ReadAheadCase{"FailingToTellTheBytesApart", 3000, std::nullopt, true, true, 3000,
                      "the rest unreadable"}),
    testing::BehaviourName());

// Left after one step, the reading stops once its ready batches are full, long before the end,
// and never asks about the bytes of a reading it did not finish.
TEST(StepsReadAhead, LeftEarlyStopsReading) {
    CountedSteps inner(1'000'000, std::nullopt, true, false);
    {
        StepsReadAhead ahead(inner);
        ASSERT_NE(ahead.nextOrNone(), nullptr);
    }
    EXPECT_LT(inner.given(), 10U * 1024U);
    EXPECT_FALSE(inner.asked());
}

}  // namespace
}  // namespace zemra
