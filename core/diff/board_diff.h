#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "decode/step_fields.h"
#include "diff/listed_step.h"
#include "io/byte_source.h"
#include "io/fingerprint.h"
#include "pinfiles/ic_pin_table.h"
#include "report/board_report.h"
#include "report/check_list.h"
#include "tester/tester_folder.h"

namespace zemra {

// Opens the bytes of one revision of a board; called once for each pass over it.
using RevisionOpener = std::function<std::unique_ptr<ByteSource>()>;

enum class StepChangeKind { Added, Removed, Changed, Moved };

// A step that only one revision lists, that both list under one part name with other listing
// columns, or that was taken out at one place and put in at another (moved; and changed too when
// its listing columns differ). `before` is the old revision's step, `after` the new one's; each
// is there where it exists, with its columns listed, and both stay valid only during the call
// that hands them out.
struct StepChange {
    StepChangeKind kind = StepChangeKind::Changed;
    const ListedStep* before = nullptr;
    const ListedStep* after = nullptr;

    // A moved step whose listing columns differ too.
    bool movedAndChanged() const;
};

enum class IcChangeKind { Added, Removed, PinCount, Pin };

// An IC of the pin files that one revision lacks, whose pin count changed, or one of whose pins
// got another tester pin. A pin beyond one revision's pin count has tester pin 0 there. The
// tables are the IC's pins in each revision, where it has them, valid during the call.
struct IcChange {
    IcChangeKind kind = IcChangeKind::Pin;
    std::string_view name;  // raw bytes
    int oldPinCount = 0;
    int newPinCount = 0;
    int pin = 0;  // for IcChangeKind::Pin
    int oldTesterPin = 0;
    int newTesterPin = 0;
    // For IcChangeKind::Pin: the step that gave the old tester pin and the one that gives the new
    // one, where there is one (a diode or J step, or the earlier of two paired J steps): its
    // number (0 for none) and the step itself.
    std::int64_t oldSourceStep = 0;
    std::int64_t newSourceStep = 0;
    const StepRef* oldSource = nullptr;
    const StepRef* newSource = nullptr;
    const IcPinTable* before = nullptr;
    const IcPinTable* after = nullptr;
};

enum class CheckChangeKind { Added, Resolved };

// A board check that the new revision gained or that it no longer gives; the check is the new
// revision's or the old one's, valid during the call.
struct CheckChange {
    CheckChangeKind kind = CheckChangeKind::Added;
    const Check* check = nullptr;
};

// How many changes of each kind a comparison found.
struct DiffCounts {
    std::uint64_t stepsAdded = 0;
    std::uint64_t stepsRemoved = 0;
    std::uint64_t stepsChanged = 0;  // moved and changed ones too
    std::uint64_t stepsMoved = 0;
    std::uint64_t icsAdded = 0;
    std::uint64_t icsRemoved = 0;
    std::uint64_t icPinCounts = 0;
    std::uint64_t icPins = 0;
    // Board checks gained and resolved; they tell what a change breaks, and are no change of the
    // program by themselves.
    std::uint64_t checksAdded = 0;
    std::uint64_t checksResolved = 0;
    // The outputs (".icn", ".icp", ".scp") that differ, whatever else does, but for pin files
    // whose difference the IC changes account for. Where no step and no IC pin differs, the order
    // of the ICs or the LC of one tells them apart.
    std::vector<std::string_view> changedOtherOutputs;

    // The steps each revision lists, and those that the edit script paired (moves not counted).
    std::uint64_t oldSteps = 0;
    std::uint64_t newSteps = 0;
    std::uint64_t pairedSteps = 0;

    // Some step or IC differs.
    bool stepsOrIcsDiffer() const;

    // The two revisions give the tester the same program.
    bool same() const;
    // Fewer than half the steps of the smaller revision pair up: two different boards, most
    // likely, whose comparison says little.
    bool looksUnrelated() const;
};

// Receives the revisions' fingerprints, then each change of a comparison, in order: the steps in
// listing order, then the ICs, then the board checks.
class DiffReceiver {
  public:
    virtual ~DiffReceiver() = default;
    virtual void takeStep(const StepChange& change) = 0;
    virtual void takeIc(const IcChange& change) = 0;
    virtual void takeCheck(const CheckChange& /*change*/) {}
    // The bytes of each revision, once both are read and before any change.
    virtual void takeRevisions(const Fingerprint& /*before*/, const Fingerprint& /*after*/) {}
};

// Which of the two revisions of a comparison.
enum class RevisionSide { Old, New };

// What a comparison throws when a revision's bytes changed between its two passes: which one.
class RevisionChanged : public std::runtime_error {
  public:
    explicit RevisionChanged(RevisionSide side)
        : std::runtime_error("the file changed while it was being compared"), side_(side) {}
    RevisionSide side() const { return side_; }

  private:
    RevisionSide side_;
};

// One side of a comparison: a component file, decoded as a conversion decodes it, or, where
// there is none, the files of a tester folder as the tester holds them.
struct DiffSide {
    RevisionOpener componentFile;
    TesterFileOpener testerFolder;

    bool isTesterFolder() const { return !componentFile; }
};

// Compares two revisions of a board as the tester sees them, both decoded under `options`:
// first each is converted, keeping only the part name of each step and the IC pin maps; the
// steps are matched by a shortest edit script over their part names; then both are read again
// side by side, and each step that only one lists, or whose listing columns differ from those of
// its match, goes to `receiver`. The ICs follow, matched by name, then the board checks gained
// and resolved. The step numbers and the listing's header are not compared. A failing source throws
// through here.
DiffCounts compareBoards(const RevisionOpener& before, const RevisionOpener& after,
                         const DecodeOptions& options, DiffReceiver& receiver);

// The same, where either side may be a tester folder: its steps are its listing's, its IC pins
// those of its .icn and .icp, and its .icn, .icp and .scp are compared by what they hold. Its
// steps have no record, and the board checks, which need records, are left out. A folder's file
// that is not as a conversion writes it throws TesterFileRefused.
DiffCounts compareBoards(const DiffSide& before, const DiffSide& after,
                         const DecodeOptions& options, DiffReceiver& receiver);

}  // namespace zemra
