#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "run/conversion.h"

namespace zemra::cli {

// What the output says of each converted file besides its messages: its output folder, or a
// report of what the conversion could not resolve, for a reader or as JSON Lines.
enum class ReportFormat { None, Text, Json };

struct ConvertRequest {
    ConversionSettings settings;
    ReportFormat report = ReportFormat::None;
    bool timeGiven = false;  // false: stamp the listings with the time of the run
    std::optional<std::filesystem::path> outputParent;
    std::vector<std::filesystem::path> inputs;
    // Where to write one page that shows every input's board, once all are converted.
    std::optional<std::filesystem::path> htmlPage;
};

// How the records of a file are shown: as CSV on standard output, for scripts, or as a workbook
// file, for spreadsheets.
enum class DumpFormat { Csv, Workbook };

// Shows the records of one file and converts nothing.
struct DumpRequest {
    std::filesystem::path input;
    DumpFormat format = DumpFormat::Csv;
    // The folder of the workbook; the input's own folder when there is none.
    std::optional<std::filesystem::path> outputParent = std::nullopt;
};

// Compares two revisions of a board as the tester sees them and converts nothing.
struct DiffRequest {
    DecodeOptions options;
    std::filesystem::path before;
    std::filesystem::path after;
    bool json = false;  // JSON Lines instead of text for people
    // Where to write the comparison as one page as well.
    std::optional<std::filesystem::path> htmlPage = std::nullopt;
};

// Converts one component file, NEW, with the tuning of a tester folder carried over: the tuned
// columns of the folder's listing, which was converted from the component file `base`.
struct TunedRequest {
    ConvertRequest conversion;  // of NEW, the one input
    std::filesystem::path folder;
    std::filesystem::path base;
    bool variantGiven = false;  // --kx740e: the folder's listing must be for the KX740E
};

struct ShowHelp {};
struct ShowVersion {};
struct UsageError {
    std::string message;
};

using ParsedArguments = std::variant<ConvertRequest, DumpRequest, DiffRequest, TunedRequest,
                                     ShowHelp, ShowVersion, UsageError>;

// Whether an argument that begins with '/' may name an option ("/o DIR", "/kx740e", "/?"), as
// Windows programs take them. Such an argument is an option only when it names one of the
// program's options; any other is a file, since "/boards/B.cmp" is a path on the current drive.
enum class SlashOptions { Off, On };

// On where the system's programs take options that begin with '/'.
SlashOptions systemSlashOptions();

// Reads the program's arguments, given in UTF-8.
ParsedArguments parseArguments(const std::vector<std::string>& utf8Arguments,
                               SlashOptions slashOptions = systemSlashOptions());

std::string helpText();
std::string versionText();

}  // namespace zemra::cli
