#pragma once

#include <string_view>
#include <vector>

#include "diff/board_diff.h"
#include "tuning/tuning_plan.h"

namespace zemra {

// The three inputs of a carry: the old revision that was converted for the tester, the tester's
// folder of it, and the new revision.
struct TuningSources {
    RevisionOpener base;
    TesterFileOpener folder;
    RevisionOpener revision;
};

struct FolderTuning {
    TesterVariant variant = TesterVariant::Kx740FeFr;  // as the folder's listing shows it
    // Has taken the old revision and the tester's listing; takes the new revision's steps as its
    // conversion lists them (BoardSettings::carry), and then gives the plan.
    TuningPlanner carry;
    // Those of ".icn", ".icp" and ".scp" whose content in the folder is not what the old
    // revision's conversion writes: changed on the tester, and not carried.
    std::vector<std::string_view> changedFiles;
};

// Reads the tester's folder and both revisions, each converted as `options` say but for the
// variant, which the folder's listing tells, and works out the carry (planTuning()) but for the
// new revision's steps, which its conversion gives to FolderTuning::carry. Throws
// TesterFileRefused for a file of the folder that is not as a conversion writes it, and what the
// openers and sources throw.
FolderTuning planFolderTuning(const TuningSources& sources, DecodeOptions options);

}  // namespace zemra
