#include "convert_batch.h"

#include <exception>
#include <map>
#include <set>
#include <string>

#include "escaped_text.h"
#include "input_results.h"
#include "output_parent.h"
#include "page_stream.h"
#include "platform.h"
#include "platform/utf8_paths.h"
#include "report_page.h"
#include "run/conversion.h"
#include "run/exit_status.h"
#include "run/input_file.h"
#include "zemra_version.h"

namespace zemra::cli {
namespace {

// The input as the call tells one named input from another: absolute, without "." parts and
// repeated separators, with the system's own separator. ".." stays, since "link/.." need not be the
// folder that holds "link".
std::filesystem::path namedPath(const std::filesystem::path& input) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(input, error);
    std::filesystem::path named;
    for (const std::filesystem::path& part : error ? input : absolute) {
        if (!part.empty() && part != ".") {
            named /= part;
        }
    }
    return named.make_preferred();
}

// The outputs' folder and title, with the folder resolved so that two names of one folder match.
std::filesystem::path outputSetOf(Conversion& conversion) {
    const std::filesystem::path base = conversion.outputBase();
    std::error_code error;
    const std::filesystem::path resolved =
        std::filesystem::weakly_canonical(base.parent_path(), error);
    return ((error ? base.parent_path() : resolved) / base.filename()).make_preferred();
}

}  // namespace

int convertBatch(const ConvertRequest& request, FileSystem& fileSystem, std::ostream& out,
                 std::ostream& err) {
    if (!checkOutputParent(request.outputParent, fileSystem, err)) {
        return kExitFailed;
    }
    bool allClean = true;
    // Only the very same path given again is left out; every other name of a file, a link or
    // another path to it, is an input of its own.
    std::vector<std::filesystem::path> inputs;
    std::set<std::filesystem::path, NameOrder> named;
    for (const std::filesystem::path& input : request.inputs) {
        if (named.insert(namedPath(input)).second) {
            inputs.push_back(input);
        }
    }
    // The page is written as the boards are converted, each board's part as soon as it is done.
    std::optional<PageStream> pageStream;
    std::optional<ReportPageWriter> page;
    if (request.htmlPage) {
        std::vector<BoardHeading> headings;
        headings.reserve(inputs.size());
        for (const std::filesystem::path& input : inputs) {
            headings.push_back({platform::utf8Of(input), fileTitle(input)});
        }
        pageStream.emplace(*request.htmlPage, request.inputs, fileSystem);
        page.emplace(*pageStream, headings, kProgramVersion);
    }
    // Each output set written by this call, with the input that wrote it.
    std::map<std::filesystem::path, std::filesystem::path, NameOrder> outputSets;
    InputResults results(request, out, page ? &*page : nullptr);
    for (const std::filesystem::path& input : inputs) {
        const std::string name = consoleEscapedName(input);
        const auto report = [&err, &name, &results](const RunMessage& message) {
            err << "zemra-convert: " << name << ": " << describe(message) << '\n';
            results.note(describe(message));
        };
        RecordObserver* const observer = results.begin(input);
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
            const std::filesystem::path outputSet = outputSetOf(*conversion);
            const auto [written, isNew] = outputSets.try_emplace(outputSet, input);
            if (!isNew) {
                err << "zemra-convert: " << name << ": not converted: its outputs "
                    << consoleEscapedName(outputSet) << ".* would replace those of "
                    << consoleEscapedName(written->second) << '\n';
                results.note("not converted: its outputs " + platform::utf8Of(outputSet) +
                             ".* would replace those of " + platform::utf8Of(written->second));
                results.end({.outputFolder = conversion->outputFolder()});
                allClean = false;
                continue;
            }
            RunOutcome outcome = conversion->run(report);
            allClean = allClean && outcome.committed;
            results.end(std::move(outcome));
        } catch (const std::exception& error) {
            // Out of memory on a pathological board, say: its outputs are not moved into place,
            // and the next file is converted all the same.
            err << "zemra-convert: " << name << ": not converted: " << consoleEscapedText(error.what())
                << '\n';
            results.note(std::string("not converted: ") + error.what());
            results.end();
            allClean = false;
        }
    }
    if (page) {
        page->finish();
        allClean = pageStream->finish(out, err) && allClean;
    }
    return allClean ? kExitClean : kExitFailed;
}

}  // namespace zemra::cli
