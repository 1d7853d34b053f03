#pragma once

#include <string>

#include "diff/board_diff.h"
#include "report/check_list.h"

namespace zemra {

// What a check says about its subject, without the step and .icp line numbers that steps added or
// removed elsewhere shift: a check of both revisions is the same check when its id and its
// subject are.
std::string checkSubject(const Check& check);

// The board checks that the new revision gained and those it resolved, by severity, errors first;
// within one, the gained in the new revision's order, then the resolved in the old one's. Only
// the checks that each revision lists (the first CheckList::kMostListed of each id) are compared.
void compareChecks(const CheckList& before, const CheckList& after, DiffReceiver& receiver,
                   DiffCounts& counts);

}  // namespace zemra
