#include "tuned_run.h"

#include <exception>
#include <string>

#include "convert_batch.h"
#include "escaped_text.h"
#include "platform/utf8_paths.h"
#include "revision_file.h"
#include "run/conversion.h"
#include "run/exit_status.h"
#include "tester/tester_file_refused.h"
#include "tester/tester_folder.h"
#include "tuning/folder_tuning.h"
#include "tuning_report.h"

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
    const std::string name = shownName(revision);
    try {
        return planFolderTuning(sources, request.conversion.settings.options);
    } catch (const RevisionUnreadable& failure) {
        err << "zemra-convert: " << name << ": not converted: " << shownName(failure.input) << ": "
            << describe({failure.kind, failure.error}) << '\n';
    } catch (const TesterFileRefused& refused) {
        err << "zemra-convert: " << name << ": not converted: " << shownText(refused.what())
            << '\n';
    }
    return std::nullopt;
}

void reportChangedFiles(const TunedRequest& request, const FolderTuning& tuning,
                        std::ostream& err) {
    for (const std::string_view extension : tuning.changedFiles) {
        err << "zemra-convert: " << shownName(request.folder) << ": its " << extension
            << " is not what " << shownName(request.base)
            << " converts to; what changed in it on the tester is not carried\n";
    }
}

}  // namespace

int convertTuned(const TunedRequest& request, FileSystem& fileSystem, std::ostream& out,
                 std::ostream& err) {
    if (!checkOutputParent(request.conversion.outputParent, fileSystem, err)) {
        return kExitFailed;
    }
    const std::filesystem::path& revision = request.conversion.inputs.front();
    const std::string name = shownName(revision);
    std::optional<FolderTuning> tuning;
    try {
        tuning = planCarry(request, fileSystem, err);
    } catch (const Interrupted&) {
        throw;
    } catch (const std::exception& error) {
        err << "zemra-convert: " << name << ": not converted: " << shownText(error.what()) << '\n';
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
    ConversionSettings settings = request.conversion.settings;
    settings.options.variant = tuning->variant;

    const auto report = [&err, &name](const RunMessage& message) {
        err << "zemra-convert: " << name << ": " << describe(message) << '\n';
    };
    RunOutcome outcome;
    try {
        std::optional<Conversion> conversion =
            Conversion::open(fileSystem,
                             {.input = InputFile(revision),
                              .outputParent = request.conversion.outputParent,
                              .settings = settings,
                              .carried = tuning->plan.carried},
                             report);
        if (!conversion) {
            return kExitFailed;
        }
        outcome = conversion->run(report);
    } catch (const Interrupted&) {
        throw;
    } catch (const std::exception& error) {
        err << "zemra-convert: " << name << ": not converted: " << shownText(error.what()) << '\n';
        return kExitFailed;
    }
    if (!outcome.committed) {
        return kExitFailed;
    }
    out << shownName(outcome.outputFolder) << '\n';
    if (request.conversion.report != ReportFormat::None) {
        for (const TuningEvent& event : tuning->plan.events) {
            if (request.conversion.report == ReportFormat::Json) {
                writeTuningJson(event, out);
            } else {
                writeTuningText(event, out);
            }
        }
    }
    reportChangedFiles(request, *tuning, err);
    err << "zemra-convert: " << name << ": " << tuningSummaryLine(tuning->plan) << '\n';
    return kExitClean;
}

}  // namespace zemra::cli
