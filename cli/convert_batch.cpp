#include "convert_batch.h"

#include <exception>
#include <string>
#include <vector>

#include "input_results.h"
#include "page_file.h"
#include "platform/utf8_paths.h"
#include "run/conversion.h"
#include "run/exit_status.h"

namespace zemra::cli {
namespace {

// An input already converted in this call, and where its outputs went.
struct ConvertedInput {
    std::filesystem::path input;
    std::optional<FileIdentity> identity;
    std::filesystem::path outputSet;  // output folder / title
};

// The outputs' folder and title, with the folder resolved so that two names of one folder match.
std::filesystem::path outputSetOf(Conversion& conversion) {
    const std::filesystem::path base = conversion.outputBase();
    std::error_code error;
    const std::filesystem::path resolved =
        std::filesystem::weakly_canonical(base.parent_path(), error);
    return (error ? base.parent_path() : resolved) / base.filename();
}

// An input whose identity cannot be told is taken for a file of its own.
std::optional<FileIdentity> identityOf(FileSystem& fileSystem, const std::filesystem::path& input) {
    try {
        return fileSystem.identityOf(input);
    } catch (const FileError&) {
        return std::nullopt;
    }
}

bool checkOutputParent(const std::optional<std::filesystem::path>& parent, FileSystem& fileSystem,
                       std::ostream& err) {
    if (!parent) {
        return true;
    }
    std::string problem;
    try {
        const PathKind kind = fileSystem.kindOf(*parent);
        if (kind == PathKind::Folder) {
            return true;
        }
        problem = kind == PathKind::Missing ? " does not exist" : " is not a folder";
    } catch (const FileError& error) {
        problem = ": " + error.error().message();
    }
    err << "zemra-convert: -o " << platform::utf8Of(*parent) << problem << '\n';
    return false;
}

}  // namespace

int convertBatch(const ConvertRequest& request, FileSystem& fileSystem, std::ostream& out,
                 std::ostream& err) {
    if (!checkOutputParent(request.outputParent, fileSystem, err)) {
        return kExitFailed;
    }
    bool allClean = true;
    std::vector<ConvertedInput> converted;
    InputResults results(request, out);
    for (const std::filesystem::path& input : request.inputs) {
        const std::string name = platform::utf8Of(input);
        const auto report = [&err, &name, &results](const RunMessage& message) {
            err << "zemra-convert: " << name << ": " << describe(message) << '\n';
            results.note(describe(message));
        };
        RecordObserver* const observer = results.begin(name);
        try {
            std::optional<Conversion> conversion =
                Conversion::open(fileSystem,
                                 {.input = InputFile(input),
                                  .outputParent = request.outputParent,
                                  .settings = request.settings,
                                  .observer = observer},
                                 report);
            if (!conversion) {
                results.end();
                allClean = false;
                continue;
            }
            // Each input is looked at once: a call may name thousands of files.
            const std::optional<FileIdentity> identity = identityOf(fileSystem, input);
            bool again = false;
            for (const ConvertedInput& earlier : converted) {
                again = again || (identity && earlier.identity == identity);
            }
            if (again) {
                continue;
            }
            const std::filesystem::path outputSet = outputSetOf(*conversion);
            const ConvertedInput* clash = nullptr;
            for (const ConvertedInput& earlier : converted) {
                clash = earlier.outputSet == outputSet ? &earlier : clash;
            }
            if (clash != nullptr) {
                const std::string why = "not converted: its outputs " +
                                        platform::utf8Of(outputSet) + ".* would replace those of " +
                                        platform::utf8Of(clash->input);
                err << "zemra-convert: " << name << ": " << why << '\n';
                results.note(why);
                results.end({.outputFolder = conversion->outputFolder()});
                allClean = false;
                continue;
            }
            converted.push_back({input, identity, outputSet});
            RunOutcome outcome = conversion->run(report);
            allClean = allClean && outcome.committed;
            results.end(std::move(outcome));
        } catch (const Interrupted&) {
            throw;
        } catch (const std::exception& error) {
            // Out of memory on a pathological board, say: its outputs are not moved into place,
            // and the next file is converted all the same.
            err << "zemra-convert: " << name << ": not converted: " << error.what() << '\n';
            results.note(std::string("not converted: ") + error.what());
            results.end();
            allClean = false;
        }
    }
    if (request.htmlPage) {
        allClean =
            writeReportPage(*request.htmlPage, results.boards(), fileSystem, out, err) && allClean;
    }
    return allClean ? kExitClean : kExitFailed;
}

}  // namespace zemra::cli
