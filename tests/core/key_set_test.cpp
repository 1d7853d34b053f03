// The set of repeated keys that a comparison's second read asks about once per step.
#include <gtest/gtest.h>

#include <vector>

#include "diff/key_set.h"

namespace zemra {
namespace {

// Keys that share their low bits with a member, or every bit but the top one, are not members.
TEST(KeySet, HoldsItsKeysAndNoOther) {
    const std::vector<std::uint64_t> members{3, 1U << 20U, 0x8000000000000005, 0xFFFFFFFFFFFFFFFF};
    const KeySet set(members);
    for (const std::uint64_t key : members) {
        EXPECT_TRUE(set.contains(key)) << key;
    }
    for (const std::uint64_t key :
         {std::uint64_t{0}, std::uint64_t{5}, std::uint64_t{1} << 40U,
          std::uint64_t{0x7FFFFFFFFFFFFFFF}, std::uint64_t{0x8000000000000003}}) {
        EXPECT_FALSE(set.contains(key)) << key;
    }
    EXPECT_FALSE(KeySet().contains(0));
}

}  // namespace
}  // namespace zemra
