#include "diff/edit_script.h"

#include <algorithm>
#include <array>
#include <future>
#include <limits>
#include <utility>

namespace zemra {
namespace {

using Index = std::ptrdiff_t;

constexpr Index kFar = std::numeric_limits<Index>::max();

// The sorts below work on the low 32 bits of each key, half the memory of a copy of the keys:
// a key whose low half the other sequence lacks is lacked by it for certain, and the rare key
// that only shares its low half with another is left in, where the comparison cannot pair it
// either.
using ShortKey = std::uint32_t;

ShortKey shortKey(std::uint64_t key) {
    return static_cast<ShortKey>(key);
}

// The values that `sorted` holds more than once, once each.
std::vector<ShortKey> repeatedIn(const std::vector<ShortKey>& sorted) {
    std::vector<ShortKey> repeated;
    for (std::size_t index = 1; index < sorted.size(); ++index) {
        if (sorted[index] == sorted[index - 1] &&
            (repeated.empty() || repeated.back() != sorted[index])) {
            repeated.push_back(sorted[index]);
        }
    }
    return repeated;
}

// The keys that `keys` holds more than once, sorted, once each, among those whose low half
// repeats (`repeatedShort`, sorted).
std::vector<std::uint64_t> repeatedKeys(std::span<const std::uint64_t> keys,
                                        const std::vector<ShortKey>& repeatedShort) {
    std::vector<std::uint64_t> candidates;
    if (repeatedShort.empty()) {
        return candidates;
    }
    // Most keys are told out by a bit per value of their lowest 16 bits, before any search.
    std::vector<bool> mayRepeat(std::size_t{1} << 16U);
    for (const ShortKey value : repeatedShort) {
        mayRepeat[value & 0xFFFFU] = true;
    }
    for (const std::uint64_t key : keys) {
        if (mayRepeat[shortKey(key) & 0xFFFFU] &&
            std::binary_search(repeatedShort.begin(), repeatedShort.end(), shortKey(key))) {
            candidates.push_back(key);
        }
    }
    std::sort(candidates.begin(), candidates.end());
    std::vector<std::uint64_t> repeated;
    for (std::size_t index = 1; index < candidates.size(); ++index) {
        if (candidates[index] == candidates[index - 1] &&
            (repeated.empty() || repeated.back() != candidates[index])) {
            repeated.push_back(candidates[index]);
        }
    }
    return repeated;
}

// The values of `sorted` that `sortedOther` lacks altogether, once each.
std::vector<ShortKey> missingFrom(const std::vector<ShortKey>& sorted,
                                  const std::vector<ShortKey>& sortedOther) {
    std::vector<ShortKey> missing;
    auto other = sortedOther.begin();
    for (const ShortKey key : sorted) {
        other = std::lower_bound(other, sortedOther.end(), key);
        if ((other == sortedOther.end() || *other != key) &&
            (missing.empty() || missing.back() != key)) {
            missing.push_back(key);
        }
    }
    return missing;
}

// Marks in `flags` each key of `keys` whose low half `missing` (sorted) holds: keys the other
// sequence lacks, which nothing can pair.
void markMissing(std::span<const std::uint64_t> keys, const std::vector<ShortKey>& missing,
                 std::vector<std::uint8_t>& flags) {
    if (missing.empty()) {
        return;
    }
    for (std::size_t index = 0; index < keys.size(); ++index) {
        if (std::binary_search(missing.begin(), missing.end(), shortKey(keys[index]))) {
            flags[index] = 1;
        }
    }
}

// The keys that `flags` leaves unmarked, in order: `keys` itself when none is marked, else
// copied into `picked`.
std::span<const std::uint64_t> unmarkedKeys(std::span<const std::uint64_t> keys,
                                            const std::vector<std::uint8_t>& flags,
                                            std::vector<std::uint64_t>& picked) {
    const auto left = static_cast<std::size_t>(std::count(flags.begin(), flags.end(), 0));
    if (left == keys.size()) {
        return keys;
    }
    picked.reserve(left);
    for (std::size_t index = 0; index < keys.size(); ++index) {
        if (flags[index] == 0) {
            picked.push_back(keys[index]);
        }
    }
    return picked;
}

// Copies the marks of the unmarked entries of `flags`, in order, from `marks`.
void copyMarks(const std::vector<std::uint8_t>& marks, std::vector<std::uint8_t>& flags) {
    std::size_t next = 0;
    for (std::uint8_t& flag : flags) {
        if (flag == 0) {
            flag = marks[next++];
        }
    }
}

// Marks in `flags` the keys of `keys` that the other sequence lacks (by the sorted low halves of
// each), finds those that `keys` repeats and returns the keys left to compare: `keys` itself when
// none is marked, else copied into `left`.
std::span<const std::uint64_t> prepareSequence(std::span<const std::uint64_t> keys,
                                               const std::vector<ShortKey>& sorted,
                                               const std::vector<ShortKey>& sortedOther,
                                               std::vector<std::uint8_t>& flags,
                                               std::vector<std::uint64_t>& repeated,
                                               std::vector<std::uint64_t>& left) {
    markMissing(keys, missingFrom(sorted, sortedOther), flags);
    repeated = repeatedKeys(keys, repeatedIn(sorted));
    return unmarkedKeys(keys, flags, left);
}

// Sorts in place: first into buckets by the top 11 bits, each value swapped straight to its
// bucket, then each bucket on its own, small enough to stay in the cache. No copy's room, and a
// fraction of a comparison sort's time over the whole.
void sortByTopBits(std::vector<ShortKey>& values) {
    constexpr unsigned kTopBits = 11;
    constexpr std::size_t kBuckets = std::size_t{1} << kTopBits;
    const auto bucketOf = [](ShortKey value) -> std::size_t { return value >> (32 - kTopBits); };
    std::array<std::size_t, kBuckets + 1> starts{};
    for (const ShortKey value : values) {
        ++starts[bucketOf(value) + 1];
    }
    for (std::size_t bucket = 1; bucket <= kBuckets; ++bucket) {
        starts[bucket] += starts[bucket - 1];
    }
    std::array<std::size_t, kBuckets> next{};
    std::copy(starts.begin(), starts.end() - 1, next.begin());
    for (std::size_t bucket = 0; bucket < kBuckets; ++bucket) {
        while (next[bucket] < starts[bucket + 1]) {
            ShortKey value = values[next[bucket]];
            for (std::size_t home = bucketOf(value); home != bucket; home = bucketOf(value)) {
                std::swap(value, values[next[home]++]);
            }
            values[next[bucket]++] = value;
        }
    }
    for (std::size_t bucket = 0; bucket < kBuckets; ++bucket) {
        std::sort(values.begin() + static_cast<std::ptrdiff_t>(starts[bucket]),
                  values.begin() + static_cast<std::ptrdiff_t>(starts[bucket + 1]));
    }
}

// A stretch of both sequences still to compare: x from xoff to xlim, y from yoff to ylim.
struct Stretch {
    Index xoff, xlim, yoff, ylim;
};

struct Point {
    Index x, y;
};

// Myers' comparison in linear space. The furthest x reached on each diagonal d = x - y lives in
// one array for the forward and one for the backward search. A search of one stretch reaches
// at most the cost limit (plus two) diagonals either side of its middle diagonal, so each array
// holds that window only, centred on the middle diagonal of the stretch being searched: its size
// follows the cost limit, not the sequences, and no stretch allocates.
class Comparison {
  public:
    Comparison(std::span<const std::uint64_t> xs, std::span<const std::uint64_t> ys,
               Index costLimit)
        : xs_(xs),
          ys_(ys),
          costLimit_(std::max<Index>(costLimit, 1)),
          reach_(std::min(costLimit_, static_cast<Index>(xs.size() + ys.size()) + 1) + 2),
          forward_(at(2 * reach_ + 1)),
          backward_(at(2 * reach_ + 1)) {}

    // Marks in `removed` and `added` (indexed like xs and ys) what the script takes out and puts
    // in.
    void mark(std::vector<std::uint8_t>& removed, std::vector<std::uint8_t>& added) {
        // A stack instead of recursion: a long chain of cheap splits must not exhaust the stack.
        std::vector<Stretch> stack{
            {0, static_cast<Index>(xs_.size()), 0, static_cast<Index>(ys_.size())}};
        while (!stack.empty()) {
            Stretch s = stack.back();
            stack.pop_back();
            while (s.xoff < s.xlim && s.yoff < s.ylim && xs_[at(s.xoff)] == ys_[at(s.yoff)]) {
                ++s.xoff;
                ++s.yoff;
            }
            while (s.xoff < s.xlim && s.yoff < s.ylim &&
                   xs_[at(s.xlim - 1)] == ys_[at(s.ylim - 1)]) {
                --s.xlim;
                --s.ylim;
            }
            const Point split =
                s.xoff == s.xlim || s.yoff == s.ylim ? Point{s.xoff, s.yoff} : findSplit(s);
            const bool atCorner = (split.x == s.xoff && split.y == s.yoff) ||
                                  (split.x == s.xlim && split.y == s.ylim);
            if (atCorner) {
                std::fill(removed.begin() + s.xoff, removed.begin() + s.xlim, 1);
                std::fill(added.begin() + s.yoff, added.begin() + s.ylim, 1);
                continue;
            }
            stack.push_back({s.xoff, split.x, s.yoff, split.y});
            stack.push_back({split.x, s.xlim, split.y, s.ylim});
        }
    }

  private:
    static std::size_t at(Index index) { return static_cast<std::size_t>(index); }
    Index& f(Index diagonal) { return forward_[at(diagonal - forwardMiddle_ + reach_)]; }
    Index& b(Index diagonal) { return backward_[at(diagonal - backwardMiddle_ + reach_)]; }

    // One more diagonal on each side of the search, as far as the stretch has diagonals, with
    // `unreached` beyond them; at an edge of the stretch the search's diagonals step inwards.
    template <class Diagonal>
    static void widen(Index& low, Index& high, Index dmin, Index dmax, Diagonal diagonal,
                      Index unreached) {
        if (low > dmin) {
            diagonal(--low - 1) = unreached;
        } else {
            ++low;
        }
        if (high < dmax) {
            diagonal(++high + 1) = unreached;
        } else {
            --high;
        }
    }

    // A point on a shortest path through the stretch where the forward and the backward search
    // meet; or, once the search has cost more than the limit, the point furthest along.
    Point findSplit(const Stretch& s) {
        const Index dmin = s.xoff - s.ylim;
        const Index dmax = s.xlim - s.yoff;
        const Index fmid = s.xoff - s.yoff;
        const Index bmid = s.xlim - s.ylim;
        Index fmin = fmid;
        Index fmax = fmid;
        Index bmin = bmid;
        Index bmax = bmid;
        const bool odd = ((fmid - bmid) & 1) != 0;
        forwardMiddle_ = fmid;
        backwardMiddle_ = bmid;
        f(fmid) = s.xoff;
        b(bmid) = s.xlim;
        for (Index cost = 1;; ++cost) {
            widen(
                fmin, fmax, dmin, dmax, [this](Index d) -> Index& { return f(d); }, -1);
            for (Index d = fmax; d >= fmin; d -= 2) {
                const Index low = f(d - 1);
                const Index high = f(d + 1);
                Index x = low >= high ? low + 1 : high;
                Index y = x - d;
                while (x < s.xlim && y < s.ylim && xs_[at(x)] == ys_[at(y)]) {
                    ++x;
                    ++y;
                }
                f(d) = x;
                if (odd && bmin <= d && d <= bmax && b(d) <= x) {
                    return {x, y};
                }
            }
            widen(
                bmin, bmax, dmin, dmax, [this](Index d) -> Index& { return b(d); }, kFar);
            for (Index d = bmax; d >= bmin; d -= 2) {
                const Index low = b(d - 1);
                const Index high = b(d + 1);
                Index x = low < high ? low : high - 1;
                Index y = x - d;
                while (x > s.xoff && y > s.yoff && xs_[at(x - 1)] == ys_[at(y - 1)]) {
                    --x;
                    --y;
                }
                b(d) = x;
                if (!odd && fmin <= d && d <= fmax && x <= f(d)) {
                    return {x, y};
                }
            }
            if (cost >= costLimit_) {
                return furthestPoint(s, fmin, fmax, bmin, bmax);
            }
        }
    }

    // The point that the forward or the backward search carried furthest from its start.
    Point furthestPoint(const Stretch& s, Index fmin, Index fmax, Index bmin, Index bmax) {
        Index forwardBest = -1;
        Index forwardX = s.xoff;
        for (Index d = fmax; d >= fmin; d -= 2) {
            Index x = std::min(f(d), s.xlim);
            Index y = x - d;
            if (s.ylim < y) {
                x = s.ylim + d;
                y = s.ylim;
            }
            if (forwardBest < x + y) {
                forwardBest = x + y;
                forwardX = x;
            }
        }
        Index backwardBest = kFar;
        Index backwardX = s.xlim;
        for (Index d = bmax; d >= bmin; d -= 2) {
            Index x = std::max(s.xoff, b(d));
            Index y = x - d;
            if (y < s.yoff) {
                x = s.yoff + d;
                y = s.yoff;
            }
            if (x + y < backwardBest) {
                backwardBest = x + y;
                backwardX = x;
            }
        }
        if ((s.xlim + s.ylim) - backwardBest < forwardBest - (s.xoff + s.yoff)) {
            return {forwardX, forwardBest - forwardX};
        }
        return {backwardX, backwardBest - backwardX};
    }

    std::span<const std::uint64_t> xs_;
    std::span<const std::uint64_t> ys_;
    Index costLimit_;
    Index reach_;  // how far either search strays from its middle diagonal, at most
    Index forwardMiddle_ = 0;
    Index backwardMiddle_ = 0;
    std::vector<Index> forward_;
    std::vector<Index> backward_;
};

}  // namespace

SortedKeyHalves::SortedKeyHalves(std::span<const std::uint64_t> keys) : sorted_(keys.size()) {
    std::transform(keys.begin(), keys.end(), sorted_.begin(), shortKey);
    sortByTopBits(sorted_);
}

EditScript findEditScript(std::span<const std::uint64_t> before,
                          std::span<const std::uint64_t> after, std::ptrdiff_t costLimit) {
    // The two sorts share nothing: side by side.
    std::future<SortedKeyHalves> sortingAfter =
        std::async(std::launch::async, [after] { return SortedKeyHalves(after); });
    const SortedKeyHalves beforeHalves(before);
    return findEditScript(before, beforeHalves, after, sortingAfter.get(), costLimit);
}

EditScript findEditScript(std::span<const std::uint64_t> before,
                          const SortedKeyHalves& beforeHalves, std::span<const std::uint64_t> after,
                          const SortedKeyHalves& afterHalves, std::ptrdiff_t costLimit) {
    EditScript script{
        std::vector<std::uint8_t>(before.size()), std::vector<std::uint8_t>(after.size()), {}, {}};
    // The keys that only one sequence has, and those that repeat in each.
    // Each sequence apart, side by side.
    std::vector<std::uint64_t> xsLeft;
    std::vector<std::uint64_t> ysLeft;
    std::future<std::span<const std::uint64_t>> preparingAfter =
        std::async(std::launch::async, [&] {
            return prepareSequence(after, afterHalves.values(), beforeHalves.values(), script.added,
                                   script.repeatedAfter, ysLeft);
        });
    const std::span<const std::uint64_t> xs =
        prepareSequence(before, beforeHalves.values(), afterHalves.values(), script.removed,
                        script.repeatedBefore, xsLeft);
    const std::span<const std::uint64_t> ys = preparingAfter.get();
    std::vector<std::uint8_t> removed(xs.size());
    std::vector<std::uint8_t> added(ys.size());
    Comparison(xs, ys, costLimit).mark(removed, added);
    copyMarks(removed, script.removed);
    copyMarks(added, script.added);
    return script;
}

}  // namespace zemra
