#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "diff/board_diff.h"
#include "diff_header.h"
#include "diff_moved_run.h"
#include "json_text.h"
#include "page_limits.h"

namespace zemra::cli {

// The comparison of --diff --html as one self-contained page in the style of the board report:
// the changed steps side by side with the changed cells marked, the steps only one revision
// has, and each IC whose pins changed drawn with its changed pins marked (a pin that lost its
// tester pin as an error), and the board checks gained and resolved. Every drawn pin carries
// data-ic, data-pin, data-old-tester-pin and data-new-tester-pin; the changes are JSON in
// #zemra-data. The page keeps the first changes up to a bound, so its size stays bounded
// whatever the boards.
class DiffPage : public DiffReceiver {
  public:
    static constexpr std::size_t kMostSteps = 1000;
    static constexpr std::size_t kMostIcs = 200;

    explicit DiffPage(DiffHeader header);

    void takeRevisions(const Fingerprint& before, const Fingerprint& after) override;

    void takeStep(const StepChange& change) override;
    void takeIc(const IcChange& change) override;
    void takeCheck(const CheckChange& change) override;
    std::string page(const DiffCounts& counts) const;

    // The steps that gave a changed pin's old and new tester pins.
    struct PinSources {
        std::optional<std::int64_t> oldStep;
        std::string oldName;  // raw bytes
        std::optional<std::int64_t> newStep;
        std::string newName;
    };

  private:
    // One IC of the page: its pins in both revisions, as far as they are drawn.
    struct DrawnIc {
        std::string name;  // raw bytes
        IcChangeKind kind = IcChangeKind::Pin;
        int oldPinCount = 0;
        int newPinCount = 0;
        std::vector<int> oldTesterPins;  // by pin - 1
        std::vector<int> newTesterPins;
        std::map<int, PinSources> sources;  // of the changed pins drawn
    };

    void recordSources(const IcChange& change);
    // The id of the row of the steps table that shows a source step, the new one first; empty
    // when the table shows neither.
    std::string rowOfSource(const PinSources& sources) const;

    DiffHeader header_;
    DecodeOptions options_;
    std::string stepRows_;  // the rows of the steps table
    MovedRun moved_;        // the steps that only moved whose row is still to come
    std::size_t steps_ = 0;
    Json stepData_ = Json::array();
    std::vector<DrawnIc> ics_;
    std::string lastIc_;
    std::int64_t pinsDrawn_ = 0;
    std::uint64_t icsNotDrawn_ = 0;
    Json icData_ = Json::array();
    std::set<std::int64_t> oldRows_;  // the old and new steps that the steps table shows
    std::set<std::int64_t> newRows_;
    std::string checkRows_;  // the rows of the checks table
    Json checkData_ = Json::array();
};

}  // namespace zemra::cli
