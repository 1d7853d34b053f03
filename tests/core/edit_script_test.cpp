// The edit script over step keys: shortest, paired in order, and bounded in its work.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "behaviour_name.h"
#include "diff/edit_script.h"

namespace zemra {
namespace {

std::vector<std::uint64_t> keysOf(std::string_view letters) {
    return {letters.begin(), letters.end()};
}

// The script as diff would print it: "=A" kept, "-B" removed, "+X" added, in walking order.
std::string scriptText(std::string_view before, std::string_view after, const EditScript& script) {
    std::string text;
    std::size_t oldIndex = 0;
    std::size_t newIndex = 0;
    while (oldIndex < before.size() || newIndex < after.size()) {
        for (; oldIndex < before.size() && script.removed[oldIndex] != 0; ++oldIndex) {
            text += std::string(" -") + before[oldIndex];
        }
        for (; newIndex < after.size() && script.added[newIndex] != 0; ++newIndex) {
            text += std::string(" +") + after[newIndex];
        }
        if (oldIndex < before.size() && newIndex < after.size()) {
            text += before[oldIndex] == after[newIndex] ? " =" : " !";
            text += before[oldIndex];
            ++oldIndex;
            ++newIndex;
        } else if (oldIndex < before.size() || newIndex < after.size()) {
            return text + " unpaired";
        }
    }
    return text.empty() ? text : text.substr(1);
}

struct ScriptCase {
    std::string behaviour;
    std::string before;
    std::string after;
    std::string expected;
};

class EditScripts : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(EditScripts, AreShortestAndPairInOrder) {
    const ScriptCase& c = GetParam();
    EXPECT_EQ(scriptText(c.before, c.after, findEditScript(keysOf(c.before), keysOf(c.after))),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, EditScripts,
                         ::testing::ValuesIn(std::vector<ScriptCase>{
                             {"SameKeysPairAll", "ABC", "ABC", "=A =B =C"},
                             {"InsertedKeyIsOneAddition", "ABCD", "ABXCD", "=A =B +X =C =D"},
                             {"RemovedKeyIsOneRemoval", "ABCD", "ACD", "=A -B =C =D"},
                             {"RenamedKeyIsRemovedAndAdded", "ABC", "AXC", "=A -B +X =C"},
                             {"ShorterRunOfOneKeyLosesItsLast", "RRRS", "RRS", "=R =R -R =S"},
                             {"LongerRunOfOneKeyGainsAtItsEnd", "ARRB", "ARRRB", "=A =R =R +R =B"},
                             {"MovedKeyIsRemovedAndAddedElsewhere", "ABCDE", "BCDAE",
                              "-A =B =C =D +A =E"},
                             {"NothingSharedRemovesAllAndAddsAll", "ABC", "XY", "-A -B -C +X +Y"},
                             {"EmptyBeforeAddsAll", "", "AB", "+A +B"},
                             {"EmptyAfterRemovesAll", "AB", "", "-A -B"},
                             {"EditsAtBothEnds", "ABCDE", "XBCDY", "-A +X =B =C =D -E +Y"},
                         }),
                         testing::BehaviourName());

// The halves are sorted in buckets by their top bits, then within each bucket: whatever the
// spread of the keys, the order is a sort's.
TEST(SortedKeyHalves, AreTheLowHalvesInAscendingOrder) {
    std::mt19937_64 random(7);
    for (const std::size_t count : {std::size_t{0}, std::size_t{100}, std::size_t{100000}}) {
        for (const std::uint64_t spread : {std::uint64_t{0xFF}, std::uint64_t{0xFFFFFFFFFFFF}}) {
            std::vector<std::uint64_t> keys(count);
            for (std::uint64_t& key : keys) {
                // Low halves bunched at the bottom, or spread over all of their 32 bits.
                key = random() & spread;
            }
            std::vector<std::uint32_t> expected(keys.begin(), keys.end());
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(SortedKeyHalves(keys).values(), expected) << count << " keys";
        }
    }
}

TEST(EditScript, NamesTheKeysThatRepeatInEachSequence) {
    const EditScript script = findEditScript(keysOf("ABRRBCR"), keysOf("RXYXR"));
    EXPECT_EQ(script.repeatedBefore, keysOf("BR"));
    EXPECT_EQ(script.repeatedAfter, keysOf("RX"));
    // A key that the other sequence has once still pairs there.
    EXPECT_EQ(scriptText("ABRRBCR", "RXYXR", script), "-A -B =R +X +Y +X =R -B -C -R");
}

// Keys that share their low 32 bits but differ above them are different keys: they neither
// pair nor repeat, and a key repeated in full is still named once.
TEST(EditScript, TellsKeysApartThatShareTheirLowHalf) {
    constexpr std::uint64_t kLow = 0x42;
    constexpr std::uint64_t kOne = (std::uint64_t{1} << 32U) | kLow;
    constexpr std::uint64_t kTwo = (std::uint64_t{2} << 32U) | kLow;
    const std::vector<std::uint64_t> before{'A', kOne, 'C', kOne};
    const std::vector<std::uint64_t> after{'A', kTwo, 'C', kTwo, kLow};
    const EditScript script = findEditScript(before, after);
    EXPECT_EQ(script.removed, (std::vector<std::uint8_t>{0, 1, 0, 1}));
    EXPECT_EQ(script.added, (std::vector<std::uint8_t>{0, 1, 0, 1, 1}));
    EXPECT_EQ(script.repeatedBefore, std::vector<std::uint64_t>{kOne});
    EXPECT_EQ(script.repeatedAfter, std::vector<std::uint64_t>{kTwo});
}

// The number of keys that a longest common subsequence keeps, by dynamic programming.
std::size_t commonLength(const std::vector<std::uint64_t>& xs,
                         const std::vector<std::uint64_t>& ys) {
    std::vector<std::vector<std::size_t>> table(xs.size() + 1,
                                                std::vector<std::size_t>(ys.size() + 1));
    for (std::size_t x = 1; x <= xs.size(); ++x) {
        for (std::size_t y = 1; y <= ys.size(); ++y) {
            table[x][y] = xs[x - 1] == ys[y - 1] ? table[x - 1][y - 1] + 1
                                                 : std::max(table[x - 1][y], table[x][y - 1]);
        }
    }
    return table[xs.size()][ys.size()];
}

// Whether the keys left in both sequences pair up equal, in order; how many pairs.
std::optional<std::size_t> pairedKeys(const std::vector<std::uint64_t>& xs,
                                      const std::vector<std::uint64_t>& ys,
                                      const EditScript& script) {
    std::vector<std::uint64_t> keptOld;
    std::vector<std::uint64_t> keptNew;
    for (std::size_t x = 0; x < xs.size(); ++x) {
        if (script.removed[x] == 0) {
            keptOld.push_back(xs[x]);
        }
    }
    for (std::size_t y = 0; y < ys.size(); ++y) {
        if (script.added[y] == 0) {
            keptNew.push_back(ys[y]);
        }
    }
    return keptOld == keptNew ? std::optional(keptOld.size()) : std::nullopt;
}

std::vector<std::uint64_t> randomKeys(std::mt19937& random, std::size_t count,
                                      std::uint64_t kinds) {
    std::vector<std::uint64_t> keys(count);
    for (std::uint64_t& key : keys) {
        key = random() % kinds;
    }
    return keys;
}

TEST(EditScript, KeepsALongestCommonSubsequenceOfRandomKeys) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 300; ++trial) {
        const auto xs = randomKeys(random, random() % 40, 1 + random() % 6);
        const auto ys = randomKeys(random, random() % 40, 1 + random() % 6);
        const auto paired = pairedKeys(xs, ys, findEditScript(xs, ys));
        ASSERT_TRUE(paired.has_value()) << "trial " << trial;
        EXPECT_EQ(*paired, commonLength(xs, ys)) << "trial " << trial;
    }
}

// Past its cost limit the script need not be shortest, but it still pairs only equal keys, in
// order, and keeps the long stretches that two revisions share between their edits.
TEST(EditScript, StaysValidAndNearlyShortestPastItsCostLimit) {
    std::mt19937 random(11);
    constexpr std::size_t kEdits = 30;
    for (int trial = 0; trial < 10; ++trial) {
        const auto xs = randomKeys(random, 1000, 8);
        auto ys = xs;
        for (std::size_t edit = 0; edit < kEdits; ++edit) {
            const auto at = ys.begin() + static_cast<std::ptrdiff_t>(random() % ys.size());
            if (random() % 2 == 0) {
                ys.erase(at);
            } else {
                ys.insert(at, 100 + random() % 4);
            }
        }
        const auto paired = pairedKeys(xs, ys, findEditScript(xs, ys, 4));
        ASSERT_TRUE(paired.has_value()) << "trial " << trial;
        EXPECT_GE(*paired + 3 * kEdits, commonLength(xs, ys)) << "trial " << trial;
    }
}

}  // namespace
}  // namespace zemra
