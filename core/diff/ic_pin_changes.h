#pragma once

#include "diff/board_diff.h"
#include "diff/revision_fingerprint.h"

namespace zemra {

// The ICs of two revisions' pin files, matched by name: those the new one lacks, in the old
// order, then in the new order those the old one lacks and, for each IC of both, its pin count
// and each pin whose tester pin changed. Only the pins that either revision found are looked
// at, so a pin count in the millions costs nothing. Each pin change names the numbers of its
// source steps, not the steps themselves. The tables of a change are valid during its call.
void compareIcPins(const RevisionFingerprint& before, const RevisionFingerprint& after,
                   DiffReceiver& receiver, DiffCounts& counts);

}  // namespace zemra
