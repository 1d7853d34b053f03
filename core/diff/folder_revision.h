#pragma once

#include "diff/revision_fingerprint.h"
#include "diff/walked_steps.h"
#include "io/fingerprint.h"
#include "tester/listing_reader.h"
#include "tester/tester_folder.h"

namespace zemra {

// What a comparison keeps of a tester folder: the key of each step of its listing, its ICs with
// their pins as its .icn and .icp list them, the fingerprint of its listing, and the
// fingerprints of the .icn, .icp and .scp that a conversion writes for what they hold, so that
// they compare with a component file's whatever their line ends. A folder has no records, so no
// checks and no step that gave a pin. Throws TesterFileRefused for a file that is not as a
// conversion writes it. With RevisionKept::KeysAndOutputs, the keys and the three fingerprints
// alone.
RevisionFingerprint readFolderRevision(const TesterFileOpener& open,
                                       RevisionKept kept = RevisionKept::Whole);

// The steps of a tester folder's listing, read a second time, with their listing columns.
class ListingSteps : public WalkedSteps {
  public:
    // `firstRead` is the listing's fingerprint from readFolderRevision().
    ListingSteps(const TesterFileOpener& open, const Fingerprint& firstRead);

    ListedStep* nextOrNone() override;
    bool sameBytes() override { return source_.finish() == firstRead_; }

  private:
    TesterFile listing_;
    FingerprintingSource source_;
    ListingReader reader_;
    Fingerprint firstRead_;
    ListedStep step_;
};

}  // namespace zemra
