#include "text/format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>

namespace zemra {
namespace {

TEST(Format, PaddedNumbersMatchPrintf) {
    for (const std::int64_t value :
         {std::int64_t{0}, std::int64_t{7}, std::int64_t{-7}, std::int64_t{1234},
          std::int64_t{-1234}, std::int64_t{99999}, std::numeric_limits<std::int64_t>::min()}) {
        std::string ours;
        appendPadded(ours, value, 4);
        char theirs[32];
        std::snprintf(theirs, sizeof theirs, "%4lld", static_cast<long long>(value));
        EXPECT_EQ(ours, theirs) << value;
    }
}

TEST(Format, LongOutputIsNotCut) {
    std::string text = "x";
    appendFormatted(text, "%300d|", 5);
    EXPECT_EQ(text.size(), 1U + 300U + 1U);
    EXPECT_EQ(text.substr(text.size() - 2), "5|");
}

}  // namespace
}  // namespace zemra
