#include "diff_run.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "diff/board_diff.h"
#include "diff_json.h"
#include "diff_page.h"
#include "diff_text.h"
#include "escaped_text.h"
#include "page_file.h"
#include "platform/utf8_paths.h"
#include "revision_file.h"
#include "run/messages.h"
#include "tester/listing_reader.h"
#include "tester/tester_file_refused.h"
#include "tester/tester_folder.h"

namespace zemra::cli {
namespace {

// One side of the comparison as the command line names it: a component file, or a tester
// folder (the folder, or its .dat), which is then named by its listing.
struct NamedSide {
    std::filesystem::path shown;
    std::vector<std::filesystem::path> files;
    DiffSide side;
};

// Whether `input` names a tester folder; a path that cannot be looked at is taken for a
// component file, whose opening then says why.
bool namesFolder(const std::filesystem::path& input, FileSystem& fileSystem) {
    try {
        return namesTesterFolder(fileSystem, input);
    } catch (const FileError&) {
        return false;
    }
}

NamedSide sideOf(const std::filesystem::path& input, FileSystem& fileSystem) {
    if (!namesFolder(input, fileSystem)) {
        return {input,
                {input},
                DiffSide{.componentFile =
                             [&input, &fileSystem] { return openRevisionFile(input, fileSystem); },
                         .testerFolder = {}}};
    }
    const TesterFiles files = testerFilesOf(input);
    return {
        files.of(".dat"),
        {files.of(".dat"), files.of(".icn"), files.of(".icp"), files.of(".scp")},
        DiffSide{.componentFile = {},
                 .testerFolder = [files, &fileSystem](std::string_view extension) {
                     const std::filesystem::path file = files.of(extension);
                     return TesterFile{openRevisionFile(file, fileSystem), platform::utf8Of(file)};
                 }}};
}

// The variant of the first tester folder's listing, as its column headings tell it.
std::optional<TesterVariant> listedVariant(const NamedSide& before, const NamedSide& after) {
    for (const NamedSide* named : {&before, &after}) {
        if (named->side.isTesterFolder()) {
            TesterFile listing = named->side.testerFolder(".dat");
            return ListingReader(*listing.bytes, listing.name).variant();
        }
    }
    return std::nullopt;
}

std::string variantName(TesterVariant variant) {
    return variant == TesterVariant::Kx740e ? "KX740E" : "KX740 FE/FR";
}

// Hands each change to every receiver in turn.
class DiffReceivers : public DiffReceiver {
  public:
    explicit DiffReceivers(std::vector<DiffReceiver*> receivers)
        : receivers_(std::move(receivers)) {}
    void takeStep(const StepChange& change) override {
        for (DiffReceiver* receiver : receivers_) {
            receiver->takeStep(change);
        }
    }
    void takeIc(const IcChange& change) override {
        for (DiffReceiver* receiver : receivers_) {
            receiver->takeIc(change);
        }
    }
    void takeCheck(const CheckChange& change) override {
        for (DiffReceiver* receiver : receivers_) {
            receiver->takeCheck(change);
        }
    }
    void takeRevisions(const Fingerprint& before, const Fingerprint& after) override {
        for (DiffReceiver* receiver : receivers_) {
            receiver->takeRevisions(before, after);
        }
    }

  private:
    std::vector<DiffReceiver*> receivers_;
};

}  // namespace

int diffBoards(const DiffRequest& request, FileSystem& fileSystem, std::ostream& out,
               std::ostream& err) {
    const NamedSide before = sideOf(request.before, fileSystem);
    const NamedSide after = sideOf(request.after, fileSystem);
    const auto failed = [&](const std::string& message) {
        out.flush();
        err << "zemra-convert: " << message << '\n';
        return kDiffTrouble;
    };
    DecodeOptions options = request.options;
    try {
        // A tester folder's listing tells its variant; a component file is decoded for it.
        if (const std::optional<TesterVariant> listed = listedVariant(before, after)) {
            if (options.variant == TesterVariant::Kx740e && *listed != TesterVariant::Kx740e) {
                return failed("--diff: the tester folder lists its steps for the " +
                              variantName(*listed) + ", not the KX740E of --kx740e");
            }
            options.variant = *listed;
        }
    } catch (const RevisionUnreadable& failure) {
        return failed(consoleEscapedName(failure.input) + ": " +
                      describe({failure.kind, failure.error}));
    } catch (const TesterFileRefused& refused) {
        return failed(consoleEscapedText(refused.what()));
    }
    const DiffHeader header{
        .before = platform::utf8Of(before.shown),
        .after = platform::utf8Of(after.shown),
        .options = options,
        .beforeBytes = {},
        .afterBytes = {},
        .testerFolder = before.side.isTesterFolder() || after.side.isTesterFolder()};
    DiffText text(out, header);
    DiffJson json(out, header);
    std::vector<DiffReceiver*> receivers{request.json ? static_cast<DiffReceiver*>(&json) : &text};
    std::optional<DiffPage> page;
    if (request.htmlPage) {
        page.emplace(header);
        receivers.push_back(&*page);
    }
    DiffReceivers all(std::move(receivers));
    DiffCounts counts;
    try {
        counts = compareBoards(before.side, after.side, options, all);
    } catch (const RevisionUnreadable& failure) {
        return failed(consoleEscapedName(failure.input) + ": " +
                      describe({failure.kind, failure.error}));
    } catch (const TesterFileRefused& refused) {
        return failed(consoleEscapedText(refused.what()));
    } catch (const RevisionChanged& changed) {
        return failed(
            consoleEscapedName(changed.side() == RevisionSide::Old ? before.shown : after.shown) +
            ": " + changed.what());
    } catch (const std::exception& error) {
        // Memory that ran out.
        return failed("--diff: " + consoleEscapedText(error.what()));
    }
    if (counts.looksUnrelated()) {
        out.flush();
        err << "zemra-convert: --diff: " << kUnrelatedBoards << '\n';
    }
    if (request.json) {
        json.finish(counts);
    } else {
        text.finish(counts);
    }
    std::vector<std::filesystem::path> revisions = before.files;
    revisions.insert(revisions.end(), after.files.begin(), after.files.end());
    if (page && !writePage(
                    *request.htmlPage, [&] { return page->page(counts); }, revisions, fileSystem,
                    out, err)) {
        return kDiffTrouble;
    }
    return counts.same() ? kDiffSame : kDiffDifferent;
}

}  // namespace zemra::cli
