#include "tuning/folder_tuning.h"

#include <array>
#include <future>

#include "diff/folder_revision.h"
#include "diff/listed_step.h"
#include "diff/revision_fingerprint.h"
#include "run/convert_board.h"
#include "tester/listing_read_ahead.h"
#include "tester/listing_reader.h"
#include "tuning/step_pairing.h"

namespace zemra {
namespace {

std::vector<std::uint64_t> stepKeysOf(const RevisionOpener& open, const DecodeOptions& options) {
    std::vector<std::uint64_t> keys;
    const std::unique_ptr<ByteSource> bytes = open();
    StepCursor cursor(*bytes, options);
    while (const ListedStep* step = cursor.next()) {
        keys.push_back(stepKey(step->kind == StepKind::Skipped
                                   ? std::string_view("*")
                                   : listedPartName(step->fields.partsN.view())));
    }
    return keys;
}

// What the carry keeps of the tester's folder: how its steps pair with the old revision's.
struct FolderSide {
    std::vector<StepIndex> toTuned;
    std::size_t tunedCount = 0;
    std::array<Fingerprint, 3> files;
};

}  // namespace

FolderTuning planFolderTuning(const TuningSources& sources, DecodeOptions options) {
    {
        TesterFile listing = sources.folder(".dat");
        options.variant = ListingReader(*listing.bytes, listing.name).variant();
    }
    // The folder is read and paired beside the reading of the old revision and then of the new
    // one; of each only the keys of its steps are kept, and the fingerprints of the pin files and
    // settings of the first two.
    std::vector<std::uint64_t> baseKeys;  // before the reading that pairs with them
    std::promise<const std::vector<std::uint64_t>*> baseRead;
    std::future<FolderSide> readingFolder =
        std::async(std::launch::async, [&sources, baseKeys = baseRead.get_future()]() mutable {
            RevisionFingerprint folder =
                readFolderRevision(sources.folder, RevisionKept::KeysAndOutputs);
            return FolderSide{.toTuned = pairSteps(*baseKeys.get(), folder.stepKeys),
                              .tunedCount = folder.stepKeys.size(),
                              .files = folder.pinAndSettingsFiles};
        });
    std::array<Fingerprint, 3> baseFiles;
    std::vector<StepIndex> toRevision;
    std::size_t revisionCount = 0;
    try {
        try {
            const std::unique_ptr<ByteSource> bytes = sources.base();
            RevisionFingerprint base =
                readRevision(*bytes, options, {}, RevisionKept::KeysAndOutputs);
            baseKeys = std::move(base.stepKeys);
            baseFiles = base.pinAndSettingsFiles;
            baseRead.set_value(&baseKeys);
        } catch (...) {
            baseRead.set_exception(std::current_exception());
            throw;
        }
        const std::vector<std::uint64_t> revisionKeys = stepKeysOf(sources.revision, options);
        toRevision = pairSteps(baseKeys, revisionKeys);
        revisionCount = revisionKeys.size();
    } catch (...) {
        // Where both fail, the folder's failure is the one reported, as when it was read first.
        readingFolder.get();
        throw;
    }
    FolderSide folder = readingFolder.get();
    std::vector<std::uint64_t>().swap(baseKeys);
    std::vector<std::string_view> changedFiles;
    for (std::size_t file = 0; file < kComparedOutputs.size(); ++file) {
        if (folder.files[file] != baseFiles[file]) {
            changedFiles.push_back(kComparedOutputs[file]);
        }
    }
    TesterFile listing = sources.folder(".dat");
    ListingReader reader(*listing.bytes, listing.name);
    if (reader.variant() != options.variant) {
        throw CarriedStepChanged();
    }
    ListingReadAhead tunedSteps(reader);
    TuningPlanner planner(std::move(folder.toTuned), folder.tunedCount, std::move(toRevision),
                          revisionCount, [&tunedSteps]() { return tunedSteps.next(); });
    {
        const std::unique_ptr<ByteSource> bytes = sources.base();
        StepCursor cursor(*bytes, options);
        while (ListedStep* step = cursor.next()) {
            listColumns(*step, options.variant);
            planner.takeBase(step->columns);
        }
    }
    planner.finishBase();
    return {.variant = options.variant,
            .carry = std::move(planner),
            .changedFiles = std::move(changedFiles)};
}

}  // namespace zemra
