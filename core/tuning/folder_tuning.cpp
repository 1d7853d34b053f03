#include "tuning/folder_tuning.h"

#include "diff/folder_revision.h"
#include "diff/listed_step.h"
#include "diff/revision_print.h"
#include "tester/listing_reader.h"

namespace zemra {
namespace {

std::vector<ListedColumns> listSteps(const RevisionOpener& open, const DecodeOptions& options) {
    const std::unique_ptr<ByteSource> bytes = open();
    StepCursor cursor(*bytes, options);
    std::vector<ListedColumns> steps;
    while (ListedStep* step = cursor.next()) {
        listColumns(*step, options.variant);
        steps.push_back(step->columns);
    }
    return steps;
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
    tuning.plan =
        planTuning(listSteps(sources.base, options), tuned, listSteps(sources.revision, options));
    return tuning;
}

}  // namespace zemra
