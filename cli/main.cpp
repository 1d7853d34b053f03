#include <string>
#include <vector>

#include "arguments.h"
#include "convert_batch.h"
#include "files/interruptible_file_system.h"
#include "platform.h"
#include "record_dump.h"
#include "run/exit_status.h"
#include "stop_signals.h"
#include "text_stream.h"

namespace {

namespace cli = zemra::cli;

int convert(cli::ConvertRequest run, std::ostream& out, std::ostream& err) {
    run.inputs = cli::expandWildcards(run.inputs);
    if (!run.timeGiven) {
        run.settings.at = zemra::currentLocalDateTime();
    }
    zemra::InterruptibleFileSystem fileSystem(zemra::systemFileSystem(), cli::catchStopSignals());
    try {
        return cli::convertBatch(run, fileSystem, out, err);
    } catch (const zemra::Interrupted& interrupted) {
        err << "zemra-convert: interrupted; the outputs being written were removed\n";
        return 128 + interrupted.signal();
    }
}

int answer(const cli::ParsedArguments& parsed, std::ostream& out, std::ostream& err) {
    if (const auto* request = std::get_if<cli::ConvertRequest>(&parsed)) {
        return convert(*request, out, err);
    }
    if (const auto* dump = std::get_if<cli::DumpRequest>(&parsed)) {
        return cli::dumpFile(dump->input, zemra::systemFileSystem(), out, err);
    }
    if (std::holds_alternative<cli::ShowHelp>(parsed)) {
        out << cli::helpText();
        return zemra::kExitClean;
    }
    if (std::holds_alternative<cli::ShowVersion>(parsed)) {
        out << cli::versionText();
        return zemra::kExitClean;
    }
    err << "zemra-convert: " << std::get<cli::UsageError>(parsed).message << "\n"
        << "Try 'zemra-convert --help' for more information.\n";
    return zemra::kExitUsage;
}

// A run whose standard output could not be written has failed, however well the rest went.
int finish(int status, cli::TextStream& out, std::ostream& err) {
    const std::error_code error = out.finish();
    if (!error) {
        return status;
    }
    err << "zemra-convert: cannot write to standard output: " << error.message() << "\n";
    return status == zemra::kExitClean ? zemra::kExitFailed : status;
}

}  // namespace

int main(int argc, char** argv) {
    const auto parsed = cli::parseArguments(cli::commandLineArguments(argc, argv));
    cli::TextStream out(cli::Stream::Output);
    cli::TextStream err(cli::Stream::Error);
    return finish(answer(parsed, out, err), out, err);
}
