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
#include "run/messages.h"

namespace zemra::cli {
namespace {

// What a revision's file throws when it cannot be read: which file, and why.
struct RevisionUnreadable {
    const std::filesystem::path& input;
    MessageKind kind;  // FileMissing or FileUnreadable
    FileError error;
};

// A revision's file that names itself when it cannot be read.
class RevisionFile : public ByteSource {
  public:
    RevisionFile(std::unique_ptr<ReadableFile> file, const std::filesystem::path& input)
        : file_(std::move(file)), input_(input) {}

    std::size_t read(std::span<std::byte> buffer) override {
        try {
            return file_->read(buffer);
        } catch (const FileError& error) {
            throw RevisionUnreadable{input_, MessageKind::FileUnreadable, error};
        }
    }
    std::uint64_t expectedSize() const override { return file_->expectedSize(); }

  private:
    std::unique_ptr<ReadableFile> file_;
    const std::filesystem::path& input_;
};

RevisionOpener openerOf(const std::filesystem::path& input, FileSystem& fileSystem) {
    return [&input, &fileSystem]() -> std::unique_ptr<ByteSource> {
        try {
            return std::make_unique<RevisionFile>(fileSystem.openForReading(input), input);
        } catch (const FileError& error) {
            throw RevisionUnreadable{input, MessageKind::FileMissing, error};
        }
    };
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
    const DiffHeader header{.before = platform::utf8Of(request.before),
                            .after = platform::utf8Of(request.after),
                            .options = request.options,
                            .beforeBytes = {},
                            .afterBytes = {}};
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
        counts = compareBoards(openerOf(request.before, fileSystem),
                               openerOf(request.after, fileSystem), request.options, all);
    } catch (const RevisionUnreadable& failure) {
        out.flush();
        err << "zemra-convert: " << shownName(failure.input) << ": "
            << describe({failure.kind, failure.error}) << '\n';
        return kDiffTrouble;
    } catch (const RevisionChanged& changed) {
        out.flush();
        err << "zemra-convert: "
            << shownName(changed.side() == RevisionSide::Old ? request.before : request.after)
            << ": " << changed.what() << '\n';
        return kDiffTrouble;
    } catch (const Interrupted&) {
        throw;
    } catch (const std::exception& error) {
        // Memory that ran out.
        out.flush();
        err << "zemra-convert: --diff: " << shownText(error.what()) << '\n';
        return kDiffTrouble;
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
    const std::array<std::filesystem::path, 2> revisions{request.before, request.after};
    if (page && !writePage(
                    *request.htmlPage, [&] { return page->page(counts); }, revisions, fileSystem,
                    out, err)) {
        return kDiffTrouble;
    }
    return counts.same() ? kDiffSame : kDiffDifferent;
}

}  // namespace zemra::cli
