#include "tuning/folder_tuning.h"

#include "diff/folder_revision.h"
#include "diff/listed_step.h"
#include "diff/revision_print.h"
#include "tester/listing_reader.h"

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
    std::vector<ListedColumns> tuned;
    {
        TesterFile listing = sources.folder(".dat");
        ListingReader reader(*listing.bytes, listing.name);
        options.variant = reader.variant();
        while (const ListedColumns* step = reader.next()) {
            tuned.push_back(*step);
        }
    }
    tuning.variant = options.variant;
    const RevisionPrint folder = readFolderRevision(sources.folder);
    RevisionPrint base;
    {
        const std::unique_ptr<ByteSource> bytes = sources.base();
        base = readRevision(*bytes, options);
    }
    for (std::size_t file = 0; file < kComparedOutputs.size(); ++file) {
        if (folder.pinAndSettingsFiles[file] != base.pinAndSettingsFiles[file]) {
            tuning.changedFiles.push_back(kComparedOutputs[file]);
        }
    }
    TuningPlanner planner(stepKeysOf(sources.base, options), tuned,
                          stepKeysOf(sources.revision, options));
    walkSteps(sources.base, options, [&](const ListedColumns& step) { planner.takeBase(step); });
    walkSteps(sources.revision, options,
              [&](const ListedColumns& step) { planner.takeRevision(step); });
    tuning.plan = planner.finish();
    return tuning;
}

}  // namespace zemra
