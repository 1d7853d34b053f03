#include "tuning/folder_tuning.h"

#include <array>

#include "diff/folder_revision.h"
#include "diff/listed_step.h"
#include "diff/revision_print.h"
#include "run/convert_board.h"
#include "tester/listing_reader.h"
#include "tuning/step_pairing.h"

namespace zemra {
namespace {

// Hands each step of a revision, listed, to `take`.
template <class Take>
void walkSteps(const RevisionOpener& open, const DecodeOptions& options, const Take& take) {
    const std::unique_ptr<ByteSource> bytes = open();
    StepCursor cursor(*bytes, options);
    while (ListedStep* step = cursor.next()) {
        listColumns(*step, options.variant);
        take(step->columns);
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
    // Of each print, only the keys and the fingerprints of the pin files and settings are kept,
    // so that the old revision is converted while the folder's keys alone are held.
    std::vector<std::uint64_t> tunedKeys;
    std::array<Fingerprint, 3> folderFiles;
    {
        RevisionPrint folder = readFolderRevision(sources.folder);
        tunedKeys = std::move(folder.stepKeys);
        tunedKeys.shrink_to_fit();
        folderFiles = folder.pinAndSettingsFiles;
    }
    std::vector<std::uint64_t> baseKeys;
    {
        const std::unique_ptr<ByteSource> bytes = sources.base();
        RevisionPrint base = readRevision(*bytes, options);
        for (std::size_t file = 0; file < kComparedOutputs.size(); ++file) {
            if (folderFiles[file] != base.pinAndSettingsFiles[file]) {
                tuning.changedFiles.push_back(kComparedOutputs[file]);
            }
        }
        baseKeys = std::move(base.stepKeys);
        baseKeys.shrink_to_fit();
    }
    // Each pairing with the old revision's keys, while only its two sequences of keys are held.
    std::vector<StepIndex> toTuned = pairSteps(baseKeys, tunedKeys);
    const std::size_t tunedCount = tunedKeys.size();
    tunedKeys = {};
    std::vector<StepIndex> toRevision;
    std::size_t revisionCount = 0;
    {
        const std::vector<std::uint64_t> revisionKeys = stepKeysOf(sources.revision, options);
        toRevision = pairSteps(baseKeys, revisionKeys);
        revisionCount = revisionKeys.size();
    }
    baseKeys = {};
    TesterFile listing = sources.folder(".dat");
    ListingReader reader(*listing.bytes, listing.name);
    if (reader.variant() != options.variant) {
        throw CarriedStepChanged();
    }
    TuningPlanner planner(std::move(toTuned), tunedCount, std::move(toRevision), revisionCount,
                          [&reader]() { return reader.next(); });
    walkSteps(sources.base, options, [&](const ListedColumns& step) { planner.takeBase(step); });
    walkSteps(sources.revision, options,
              [&](const ListedColumns& step) { planner.takeRevision(step); });
    tuning.plan = planner.finish();
    return tuning;
}

}  // namespace zemra
