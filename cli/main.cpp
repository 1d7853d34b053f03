#include <string>
#include <vector>

#include "arguments.h"
#include "convert_batch.h"
#include "diff_run.h"
#include "dump_file.h"
#include "escaped_text.h"
#include "files/interruptible_file_system.h"
#include "platform.h"
#include "run/exit_status.h"
#include "run/local_date_time.h"
#include "stop_signals.h"
#include "text_stream.h"
#include "tuned_run.h"
#include "workbook_dump.h"

namespace {

namespace cli = zemra::cli;

// The system's file system, which ends the work at its next file operation once a request to
// stop comes, so that it removes what it was writing.
template <class Work>
int runStoppable(const Work& work, std::ostream& err) {
    zemra::InterruptibleFileSystem fileSystem(zemra::systemFileSystem(), cli::catchStopSignals());
    try {
        return work(fileSystem);
    } catch (const zemra::Interrupted& interrupted) {
        err << "zemra-convert: interrupted; the outputs being written were removed\n";
        return 128 + interrupted.signal();
    }
}

// Stamps the listings with the time of the run unless --at gave one; false, after saying why,
// when the clock shows a year that no listing can.
bool takeTimeOfRun(cli::ConvertRequest& run, std::ostream& err) {
    if (run.timeGiven) {
        return true;
    }
    run.settings.at = zemra::currentLocalDateTime();
    // A listing would show another year than the clock's; the operator gives the time.
    if (!zemra::isListedYear(run.settings.at)) {
        err << "zemra-convert: the system clock says " << run.settings.at.year
            << ", and a listing shows the years " << zemra::kFirstListedYear << " to "
            << zemra::kLastListedYear << " only: give the time with --at\n";
        return false;
    }
    return true;
}

int convert(cli::ConvertRequest run, std::ostream& out, std::ostream& err) {
    run.inputs = cli::expandWildcards(run.inputs);
    if (!takeTimeOfRun(run, err)) {
        return zemra::kExitFailed;
    }
    return runStoppable(
        [&](zemra::FileSystem& fileSystem) { return cli::convertBatch(run, fileSystem, out, err); },
        err);
}

int dump(const cli::DumpRequest& request, std::ostream& out, std::ostream& err) {
    if (request.format == cli::DumpFormat::Csv) {
        return cli::dumpFile(request.input, zemra::systemFileSystem(), out, err);
    }
    return runStoppable(
        [&](zemra::FileSystem& fileSystem) {
            return cli::dumpWorkbook(request.input, request.outputParent, fileSystem, out, err);
        },
        err);
}

int diff(const cli::DiffRequest& request, std::ostream& out, std::ostream& err) {
    return runStoppable(
        [&](zemra::FileSystem& fileSystem) {
            return cli::diffBoards(request, fileSystem, out, err);
        },
        err);
}

int convertTuned(cli::TunedRequest request, std::ostream& out, std::ostream& err) {
    if (!takeTimeOfRun(request.conversion, err)) {
        return zemra::kExitFailed;
    }
    return runStoppable(
        [&](zemra::FileSystem& fileSystem) {
            return cli::convertTuned(request, fileSystem, out, err);
        },
        err);
}

int answer(const cli::ParsedArguments& parsed, std::ostream& out, std::ostream& err) {
    if (const auto* conversion = std::get_if<cli::ConvertRequest>(&parsed)) {
        return convert(*conversion, out, err);
    }
    if (const auto* records = std::get_if<cli::DumpRequest>(&parsed)) {
        return dump(*records, out, err);
    }
    if (const auto* revisions = std::get_if<cli::DiffRequest>(&parsed)) {
        return diff(*revisions, out, err);
    }
    if (const auto* tuned = std::get_if<cli::TunedRequest>(&parsed)) {
        return convertTuned(*tuned, out, err);
    }
    if (std::holds_alternative<cli::ShowHelp>(parsed)) {
        out << cli::helpText();
        return zemra::kExitClean;
    }
    if (std::holds_alternative<cli::ShowVersion>(parsed)) {
        out << cli::versionText();
        return zemra::kExitClean;
    }
    // The message may quote an argument, which may hold anything.
    err << "zemra-convert: " << cli::consoleEscapedText(std::get<cli::UsageError>(parsed).message)
        << "\n"
        << "Try 'zemra-convert --help' for more information.\n";
    return zemra::kExitUsage;
}

// A run whose standard output could not be written has failed, however well the rest went; a
// comparison then had trouble.
int finish(int status, const cli::ParsedArguments& parsed, cli::TextStream& out,
           std::ostream& err) {
    const std::error_code error = out.finish();
    if (!error) {
        return status;
    }
    err << "zemra-convert: cannot write to standard output: " << error.message() << "\n";
    if (std::holds_alternative<cli::DiffRequest>(parsed)) {
        return status < cli::kDiffTrouble ? cli::kDiffTrouble : status;
    }
    return status == zemra::kExitClean ? zemra::kExitFailed : status;
}

}  // namespace

int main(int argc, char** argv) {
    cli::holdStandardStreams();
    const auto parsed = cli::parseArguments(cli::commandLineArguments(argc, argv));
    cli::TextStream out(cli::Stream::Output);
    cli::TextStream err(cli::Stream::Error);
    return finish(answer(parsed, out, err), parsed, out, err);
}
