#include "tuned_run.h"

#include <exception>
#include <memory>
#include <string>

#include "escaped_text.h"
#include "input_results.h"
#include "output_parent.h"
#include "page_stream.h"
#include "platform/utf8_paths.h"
#include "report_page.h"
#include "revision_file.h"
#include "run/conversion.h"
#include "run/exit_status.h"
#include "tester/tester_file_refused.h"
#include "tester/tester_folder.h"
#include "tuning/folder_tuning.h"
#include "tuning_report.h"
#include "zemra_version.h"

namespace zemra::cli {
namespace {

std::string variantName(TesterVariant variant) {
    return variant == TesterVariant::Kx740e ? "KX740E" : "KX740 FE/FR";
}

// The carry, or none after saying on `err` why it cannot be worked out.
std::optional<FolderTuning> planCarry(const TunedRequest& request, FileSystem& fileSystem,
                                      std::ostream& err) {
    const std::filesystem::path& revision = request.conversion.inputs.front();
    const TesterFiles files = testerFilesOf(request.folder);
    const TuningSources sources{
        .base = [&] { return openRevisionFile(request.base, fileSystem); },
        .folder =
            [&files, &fileSystem](std::string_view extension) {
                const std::filesystem::path file = files.of(extension);
                return TesterFile{openRevisionFile(file, fileSystem), platform::utf8Of(file)};
            },
        .revision = [&] { return openRevisionFile(revision, fileSystem); }};
    const std::string name = consoleEscapedName(revision);
    try {
        return planFolderTuning(sources, request.conversion.settings.options);
    } catch (const RevisionUnreadable& failure) {
        err << "zemra-convert: " << name << ": not converted: " << consoleEscapedName(failure.input)
            << ": " << describe({failure.kind, failure.error}) << '\n';
    } catch (const TesterFileRefused& refused) {
        err << "zemra-convert: " << name
            << ": not converted: " << consoleEscapedText(refused.what()) << '\n';
    }
    return std::nullopt;
}

void reportChangedFiles(const TunedRequest& request, const CarriedTuning& tuning,
                        std::ostream& err) {
    for (const std::string_view extension : tuning.changedFiles) {
        err << "zemra-convert: " << consoleEscapedName(request.folder) << ": its " << extension
            << " is not what " << consoleEscapedName(request.base)
            << " converts to; what changed in it on the tester is not carried\n";
    }
}

// The files that the call reads, which its page must not replace.
std::vector<std::filesystem::path> filesRead(const TunedRequest& request) {
    const TesterFiles files = testerFilesOf(request.folder);
    std::vector<std::filesystem::path> read{request.conversion.inputs.front(), request.base};
    for (const std::string_view extension : {".dat", ".icn", ".icp", ".scp"}) {
        read.push_back(files.of(extension));
    }
    return read;
}

}  // namespace

int convertTuned(const TunedRequest& request, FileSystem& fileSystem, std::ostream& out,
                 std::ostream& err) {
    if (!checkOutputParent(request.conversion.outputParent, fileSystem, err)) {
        return kExitFailed;
    }
    const std::filesystem::path& revision = request.conversion.inputs.front();
    const std::string name = consoleEscapedName(revision);
    std::optional<FolderTuning> tuning;
    try {
        tuning = planCarry(request, fileSystem, err);
    } catch (const std::exception& error) {
        err << "zemra-convert: " << name << ": not converted: " << consoleEscapedText(error.what())
            << '\n';
        return kExitFailed;
    }
    if (!tuning) {
        return kExitFailed;
    }
    if (request.variantGiven && tuning->variant != TesterVariant::Kx740e) {
        err << "zemra-convert: " << name << ": not converted: the tester folder lists its steps "
            << "for the " << variantName(tuning->variant) << ", not the KX740E of --kx740e\n";
        return kExitFailed;
    }
    // The page's board is traced as any conversion's, and written as it is converted, with the
    // tuning it took; --report lists the carry, not the board.
    ConvertRequest traced = request.conversion;
    traced.report = ReportFormat::None;
    traced.settings.options.variant = tuning->variant;
    std::optional<PageStream> pageStream;
    std::optional<ReportPageWriter> page;
    if (request.conversion.htmlPage) {
        pageStream.emplace(*request.conversion.htmlPage, filesRead(request), fileSystem);
        page.emplace(*pageStream,
                     std::vector<BoardHeading>{{platform::utf8Of(revision), fileTitle(revision)}},
                     kProgramVersion);
    }
    InputResults results(traced, out, page ? &*page : nullptr);
    const auto report = [&err, &name, &results](const RunMessage& message) {
        err << "zemra-convert: " << name << ": " << describe(message) << '\n';
        results.note(describe(message));
    };
    RecordObserver* const observer = results.begin(revision);
    bool committed = false;
    std::shared_ptr<const CarriedTuning> carried;
    try {
        std::optional<Conversion> conversion =
            Conversion::open(fileSystem,
                             {.input = InputFile(revision),
                              .outputParent = request.conversion.outputParent,
                              .settings = traced.settings,
                              .observer = observer,
                              .carry = &tuning->carry},
                             report);
        if (conversion) {
            RunOutcome outcome = conversion->run(report);
            committed = outcome.committed;
            if (committed) {
                carried = std::make_shared<const CarriedTuning>(
                    CarriedTuning{.folder = platform::utf8Of(request.folder),
                                  .base = platform::utf8Of(request.base),
                                  .plan = tuning->carry.takePlan(),
                                  .changedFiles = std::move(tuning->changedFiles)});
            }
            results.end(std::move(outcome), carried);
        } else {
            results.end();
        }
    } catch (const std::exception& error) {
        err << "zemra-convert: " << name << ": not converted: " << consoleEscapedText(error.what())
            << '\n';
        results.note(std::string("not converted: ") + error.what());
        results.end();
    }
    if (committed) {
        if (request.conversion.report != ReportFormat::None) {
            for (const TuningEvent& event : carried->plan.events) {
                if (request.conversion.report == ReportFormat::Json) {
                    writeTuningJson(event, out);
                } else {
                    writeTuningText(event, out);
                }
            }
        }
        reportChangedFiles(request, *carried, err);
        err << "zemra-convert: " << name << ": " << tuningSummaryLine(carried->plan) << '\n';
    }
    bool pageWritten = true;
    if (page) {
        page->finish();
        pageWritten = pageStream->finish(out, err);
    }
    return committed && pageWritten ? kExitClean : kExitFailed;
}

}  // namespace zemra::cli
