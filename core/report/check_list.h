#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zemra {

// What an engineer should look at in a board before the tester does. The ids are fixed: scripts
// and the page filter by them.
enum class CheckId : std::uint8_t {
    DroppedRecord,         // a record without a usable part name and without the skip mark
    SkippedStep,           // a "*" step
    PartialRecord,         // trailing bytes that are no whole record
    UnknownCode,           // a code that no decoding table knows, which left a field as it was
    SameHiLoPin,           // a step whose Hi-P and Lo-P are one tester pin
    DuplicatePartName,     // a step whose part name an earlier step had
    UnresolvedIcPin,       // IC pins whose .icp line shows tester pin 0
    IgnoredJPin,           // a J pin beyond its IC's pin count, which no .icp line shows
    ConflictingPinSource,  // a diode step and a J step give one IC pin different tester pins
};
inline constexpr std::size_t kCheckIdCount = 9;

enum class Severity : std::uint8_t {
    Error,    // the tester will get a pin or a step wrong
    Warning,  // data of the file was lost or taken for a default
    Info,     // as the file says, but worth knowing
};

std::string_view checkIdText(CheckId id);
Severity severityOf(CheckId id);
std::string_view severityText(Severity severity);
// One sentence for each id: what the engineer should look at or do.
std::string_view adviceOf(CheckId id);

struct Check {
    CheckId id = CheckId::DroppedRecord;
    std::optional<std::uint64_t> offset;  // of the record it concerns in the file
    std::optional<std::int64_t> step;     // the step number that record got
    std::string sentence;                 // names in it are raw bytes
    std::optional<std::size_t> ic;        // the IC it concerns, by its index in the pin files
};

// The checks of one board in the order they were found. A board can give a check for every
// record, so only the first kMostListed of each id are kept; the others are counted.
class CheckList {
  public:
    static constexpr std::size_t kMostListed = 200;

    // Counts a check of `id`, and keeps it with the sentence that `sentence()` makes while fewer
    // than kMostListed of its id are kept.
    template <class MakeSentence>
    void add(CheckId id, std::optional<std::uint64_t> offset, std::optional<std::int64_t> step,
             MakeSentence sentence) {
        if (found_[index(id)]++ < kMostListed) {
            listed_.push_back({id, offset, step, sentence(), std::nullopt});
        }
    }

    // The same for a check on the IC at `ic` of the pin files.
    template <class MakeSentence>
    void addOnIc(CheckId id, std::size_t ic, std::optional<std::uint64_t> offset,
                 std::optional<std::int64_t> step, MakeSentence sentence) {
        if (found_[index(id)]++ < kMostListed) {
            listed_.push_back({id, offset, step, sentence(), ic});
        }
    }

    // Adds the checks of `later`, found after these, as if each had been added here.
    void append(const CheckList& later);

    const std::vector<Check>& listed() const { return listed_; }
    std::uint64_t found(CheckId id) const { return found_[index(id)]; }
    std::uint64_t notListed(CheckId id) const {
        return found(id) > kMostListed ? found(id) - kMostListed : 0;
    }

  private:
    static std::size_t index(CheckId id) { return static_cast<std::size_t>(id); }

    std::vector<Check> listed_;
    std::array<std::uint64_t, kCheckIdCount> found_{};
};

// Every id, in the order of the enumeration.
inline constexpr std::array<CheckId, kCheckIdCount> kCheckIds{
    CheckId::DroppedRecord,   CheckId::SkippedStep, CheckId::PartialRecord,
    CheckId::UnknownCode,     CheckId::SameHiLoPin, CheckId::DuplicatePartName,
    CheckId::UnresolvedIcPin, CheckId::IgnoredJPin, CheckId::ConflictingPinSource};

}  // namespace zemra
