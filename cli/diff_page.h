#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "diff/board_diff.h"
#include "json_text.h"

namespace zemra::cli {

// The comparison of --diff --html as one self-contained page in the style of the board report:
// the changed steps side by side with the changed cells marked, the steps only one revision
// has, and each IC whose pins changed drawn with its changed pins marked. Every drawn pin carries
// data-ic, data-pin, data-old-tester-pin and data-new-tester-pin; the changes are JSON in
// #zemra-data. The page keeps the first changes up to a bound, so its size stays bounded
// whatever the boards.
class DiffPage : public DiffReceiver {
  public:
    static constexpr std::size_t kMostSteps = 1000;
    static constexpr std::size_t kMostIcs = 200;
    static constexpr int kMostDrawnPins = 512;
    static constexpr std::int64_t kMostPinsPerPage = 20000;

    // `before` and `after` name the revisions (UTF-8).
    DiffPage(std::string before, std::string after, const DecodeOptions& options);

    void takeStep(const StepChange& change) override;
    void takeIc(const IcChange& change) override;
    std::string page(const DiffCounts& counts) const;

  private:
    // One IC of the page: its pins in both revisions, as far as they are drawn.
    struct DrawnIc {
        std::string name;  // raw bytes
        IcChangeKind kind = IcChangeKind::Pin;
        int oldPinCount = 0;
        int newPinCount = 0;
        std::vector<int> oldTesterPins;  // by pin - 1
        std::vector<int> newTesterPins;
    };

    std::string before_;
    std::string after_;
    DecodeOptions options_;
    std::string stepRows_;  // the rows of the steps table
    std::size_t steps_ = 0;
    Json stepData_ = Json::array();
    std::vector<DrawnIc> ics_;
    std::string lastIc_;
    std::int64_t pinsDrawn_ = 0;
    std::uint64_t icsNotDrawn_ = 0;
    Json icData_ = Json::array();
};

}  // namespace zemra::cli
