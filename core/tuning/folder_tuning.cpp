#include "tuning/folder_tuning.h"

#include <array>
#include <future>

#include "diff/folder_revision.h"
#include "diff/listed_step.h"
#include "diff/revision_print.h"
#include "run/convert_board.h"
#include "tester/listing_reader.h"
#include "tuning/step_pairing.h"

namespace zemra {
namespace {

// Hands each step of a revision to `take`, which lists it where it needs its columns.
template <class Take>
void walkSteps(const RevisionOpener& open, const DecodeOptions& options, const Take& take) {
    const std::unique_ptr<ByteSource> bytes = open();
    StepCursor cursor(*bytes, options);
    while (ListedStep* step = cursor.next()) {
        take(*step);
    }
}

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

}  // namespace

FolderTuning planFolderTuning(const TuningSources& sources, DecodeOptions options) {
    FolderTuning tuning;
    {
        TesterFile listing = sources.folder(".dat");
        options.variant = ListingReader(*listing.bytes, listing.name).variant();
    }
    tuning.variant = options.variant;
    // The folder and the old revision are read side by side; of each print only the keys and
    // the fingerprints of the pin files and settings are kept. The new revision's keys are read
    // beside the pairing of the other two.
    std::future<RevisionPrint> readingFolder =
        std::async(std::launch::async, [&sources] { return readFolderRevision(sources.folder); });
    std::vector<std::uint64_t> baseKeys;
    std::array<Fingerprint, 3> baseFiles;
    try {
        const std::unique_ptr<ByteSource> bytes = sources.base();
        RevisionPrint base = readRevision(*bytes, options);
        baseKeys = std::move(base.stepKeys);
        baseFiles = base.pinAndSettingsFiles;
    } catch (...) {
        // Where both fail, the folder's failure is the one reported, as when it was read first.
        readingFolder.get();
        throw;
    }
    std::vector<std::uint64_t> tunedKeys;
    {
        RevisionPrint folder = readingFolder.get();
        tunedKeys = std::move(folder.stepKeys);
        for (std::size_t file = 0; file < kComparedOutputs.size(); ++file) {
            if (folder.pinAndSettingsFiles[file] != baseFiles[file]) {
                tuning.changedFiles.push_back(kComparedOutputs[file]);
            }
        }
    }
    std::future<std::vector<std::uint64_t>> readingRevisionKeys = std::async(
        std::launch::async, [&sources, &options] { return stepKeysOf(sources.revision, options); });
    std::vector<StepIndex> toTuned = pairSteps(baseKeys, tunedKeys);
    const std::size_t tunedCount = tunedKeys.size();
    std::vector<std::uint64_t>().swap(tunedKeys);
    std::vector<StepIndex> toRevision;
    std::size_t revisionCount = 0;
    {
        const std::vector<std::uint64_t> revisionKeys = readingRevisionKeys.get();
        toRevision = pairSteps(baseKeys, revisionKeys);
        revisionCount = revisionKeys.size();
    }
    std::vector<std::uint64_t>().swap(baseKeys);
    TesterFile listing = sources.folder(".dat");
    ListingReader reader(*listing.bytes, listing.name);
    if (reader.variant() != options.variant) {
        throw CarriedStepChanged();
    }
    TuningPlanner planner(std::move(toTuned), tunedCount, std::move(toRevision), revisionCount,
                          [&reader]() { return reader.next(); });
    walkSteps(sources.base, options, [&](ListedStep& step) {
        listColumns(step, options.variant);
        planner.takeBase(step.columns);
    });
    walkSteps(sources.revision, options, [&](ListedStep& step) {
        if (!planner.needsNextRevision()) {
            planner.passRevision();
            return;
        }
        listColumns(step, options.variant);
        planner.takeRevision(step.columns);
    });
    tuning.plan = planner.finish();
    return tuning;
}

}  // namespace zemra
