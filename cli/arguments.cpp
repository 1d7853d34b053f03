#include "arguments.h"

#include <memory>
#include <utility>

#include <CLI/CLI.hpp>

#include "platform/utf8_paths.h"
#include "zemra_version.h"

namespace zemra::cli {
namespace {

constexpr const char* kProgram = "zemra-convert";

constexpr const char* kUsage =
    "Usage: zemra-convert [OPTIONS] [--html PAGE] FILE...\n"
    "       zemra-convert --dump[=csv] FILE\n"
    "       zemra-convert --dump=xlsx [-o DIR] FILE\n"
    "       zemra-convert [--kx740e] [--reverse-pins] --diff [--report=json] [--html PAGE]\n"
    "                     OLD NEW\n"
    "       zemra-convert --tuned FOLDER --base OLD [OPTIONS] [--report[=json]]\n"
    "                     [--html PAGE] NEW\n";

constexpr const char* kDescription =
    "Converts ICT component files (.cmp) for testers of the KX740 family. For each FILE\n"
    "it writes the folder <title>/ beside the input, holding <title>.dat (test data\n"
    "listing), <title>.icn and <title>.icp (IC pin files) and <title>.scp (settings),\n"
    "where <title> is the file name up to its last '.'.";

constexpr const char* kClosing =
    "Prints the output folder of each converted file on standard output (with --report,\n"
    "the report in its place; with --html, then the page's path) and the converter's\n"
    "messages on standard error. File names that hold control characters are printed\n"
    "with \\n, \\r, \\t or \\xNN in their place and each backslash doubled; line and\n"
    "paragraph separators and the controls of bidirectional text as \\u2028 and so on.\n"
    "\n"
    "Exit status:\n"
    "  0        every file converted cleanly; with --dump, every record written\n"
    "  1        a file was not converted: it is missing, not a regular file or cannot\n"
    "           be read to its end, an output of it could not be written, its outputs\n"
    "           would replace those of an earlier FILE, or memory ran out; the other\n"
    "           files are converted all the same. Also when -o DIR does not exist or\n"
    "           is no folder: then nothing is converted; and when the page of --html\n"
    "           cannot be written; and, without --at, when the system clock lies\n"
    "           outside 2000 to 2099: then nothing is converted. With --dump: FILE\n"
    "           cannot be read, or the workbook cannot be written. Always when standard\n"
    "           output cannot be written\n"
    "  2        a usage error; nothing is converted\n"
    "With --diff: 0 when OLD and NEW give the tester the same program, 1 when they\n"
    "differ, 2 for trouble (a file that cannot be read, a tester folder's file that\n"
    "is not as a conversion writes it, a usage error, a page or standard output that\n"
    "cannot be written).\n"
    "With --tuned: as a conversion's; 1 also when FOLDER or OLD cannot be read or a\n"
    "file of FOLDER is not as a conversion writes it: then nothing is written.\n"
    "  129      stopped by SIGHUP (the terminal was closed); the outputs being\n"
    "           written are removed\n"
    "  130, 143 stopped by SIGINT (Ctrl+C) or SIGTERM; the outputs being written are\n"
    "           removed\n"
    "A signal that was ignored when the program started stays ignored: under nohup a\n"
    "closed terminal, and in a shell's background job a Ctrl+C, does not stop it.";

constexpr const char* kDumpNeedsAFile = "--dump needs a file";

// The width of the option column of the help, descriptions included.
constexpr std::size_t kOptionColumn = 23;

// The help reads usage, description, options, then what the program prints and returns.
class HelpLayout : public CLI::Formatter {
  public:
    // An optional value after "=" is shown as it must be typed, with no space: --report[=json].
    std::string make_option_opts(const CLI::Option* option) const override {
        std::string opts = CLI::Formatter::make_option_opts(option);
        if (opts.starts_with(" [=")) {
            opts.erase(0, 1);
        }
        return opts;
    }

    std::string make_usage(const CLI::App* /*app*/, std::string /*name*/) const override {
        return kUsage;
    }

    std::string make_help(const CLI::App* app, std::string name,
                          CLI::AppFormatMode mode) const override {
        std::string options = make_groups(app, mode);
        options.erase(options.find_last_not_of('\n') + 1);
        return make_usage(app, std::move(name)) + "\n" + make_description(app) + options + "\n\n" +
               make_footer(app);
    }
};

// The options of zemra-convert, bound to the values they take. A new option is one more
// add_... call in the constructor and, when its value needs checking, one more step in
// takeRequest().
class CommandLine {
  public:
    CommandLine() {
        app_.formatter(std::make_shared<HelpLayout>());
        app_.get_formatter()->column_width(kOptionColumn);
        app_.footer(kClosing);
        // Unknown options are left over by the parse and reported by name.
        app_.allow_extras();
        // CLI11 would take every argument that begins with '/' for an option, a path such as
        // "/boards/B.cmp" too; readSlashOptions() reads the slash options instead.
        app_.allow_windows_style_options(false);
        app_.set_help_flag();

        app_.add_flag("--kx740e", kx740e_,
                      "write for the KX740E: no Type column, the kind letters go\n"
                      "before the part name instead, and a name beginning with IC\n"
                      "becomes U (IC1_3 is U1_3), except on J steps, which become\n"
                      "JIC1_34 and so no longer count for the IC;\n"
                      "the default is the KX740 FE/FR (a Type column)");
        app_.add_flag("--reverse-pins", reversePins_,
                      "exchange the Hi and Lo pins of voltage steps: steps with a\n"
                      "standard value whose range code is none of resistance,\n"
                      "capacitance, inductance and 0x00. The listing shows the\n"
                      "exchanged pins, and the IC pins are worked out from them");
        at_ = addValueOption("--at", atText_, "YYYY-MM-DDTHH:MM:SS",
                             "stamp the listings with this local time instead of now;\n"
                             "the year must lie in 2000 to 2099",
                             "--at needs a date and time as YYYY-MM-DDTHH:MM:SS");
        output_ = addValueOption("-o,--output", outputText_, "DIR",
                                 "create the output folders in DIR instead of beside the inputs",
                                 "-o needs a folder");
        // "--report=json" is taken apart before the parse; the flag stands for both here.
        reportFlag_ =
            app_.add_flag("--report", reportText_,
                          "after converting each file, say what it could not resolve: the\n"
                          "counts of records and steps, per IC its pins left at 0, and\n"
                          "the checks to read before the tester; --report=json writes\n"
                          "one JSON object per file and line")
                ->type_name("[=json]");
        html_ = addValueOption("--html", htmlText_, "PAGE",
                               "after converting, write PAGE: one self-contained HTML page\n"
                               "showing each file's board, its IC pin maps, its steps and\n"
                               "the checks to read before the tester",
                               "--html needs the name of the page to write");
        // "--dump=VALUE" is taken out before the parse, like "--report=json"; the flag stands for
        // every form here, and FILE is one of the files.
        dump_ = app_.add_flag("--dump", dumpFlag_,
                              "write the records of FILE as CSV to standard output and\n"
                              "convert nothing, for scripts; --dump=xlsx FILE writes them\n"
                              "as the workbook <title>.xlsx beside FILE (or in DIR), for a\n"
                              "spreadsheet, and prints its path")
                    ->type_name("[=xlsx] FILE");
        app_.add_flag("--diff", diff_,
                      "compare the boards OLD and NEW as the tester sees them, under\n"
                      "the same options, and convert nothing; each a component file\n"
                      "or a tester folder (the folder, or its .dat), whose listing\n"
                      "tells the variant: the steps added, removed and changed\n"
                      "(matched by part name in order, as diff matches lines), the\n"
                      "IC pins whose tester pin changed, and a line of counts;\n"
                      "--report=json writes one JSON object per change and line,\n"
                      "--html PAGE also writes the comparison as a page");
        tuned_ = addValueOption("--tuned", tunedText_, "FOLDER",
                                "convert NEW with the tuning of FOLDER, the tester's folder\n"
                                "of OLD (--base), carried over: each listing column that the\n"
                                "tester changed and NEW did not takes the tester's value;\n"
                                "where NEW changed it too, NEW's value is kept (a conflict).\n"
                                "A line of counts on standard error; --report lists each\n"
                                "carried column, conflict and dropped step, --report=json as\n"
                                "one JSON object per line; --html PAGE adds the same to the\n"
                                "board's page",
                                "--tuned needs the tester folder");
        base_ = addValueOption("--base", baseText_, "OLD",
                               "with --tuned: the component file that FOLDER was converted from",
                               "--base needs the component file that the tester folder was "
                               "converted from");
        // Help and version are answered as soon as they are read, unless an unknown option came
        // before them.
        app_.add_flag_callback(
                "-h,--help",
                [this] {
                    if (unknownOptions().empty()) {
                        throw CLI::CallForHelp();
                    }
                },
                "show this help and exit")
            ->trigger_on_parse();
        app_.add_flag_callback(
                "--version",
                [this] {
                    if (unknownOptions().empty()) {
                        throw CLI::CallForVersion();
                    }
                },
                "show the version and exit")
            ->trigger_on_parse();
        app_.add_option("FILE", files_)->group("");
    }

    ParsedArguments parse(std::vector<std::string> arguments, SlashOptions slashOptions) {
        if (slashOptions == SlashOptions::On) {
            readSlashOptions(arguments);
        }
        if (auto error = takeReportFormat(arguments)) {
            return *error;
        }
        takeDumpForms(arguments);
        if (auto error = findMisusedAttachedValue(arguments)) {
            return *error;
        }
        // CLI11 takes the arguments last first.
        std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
        try {
            app_.parse(reversed);
        } catch (const CLI::CallForHelp&) {
            return ShowHelp{};
        } catch (const CLI::CallForVersion&) {
            return ShowVersion{};
        } catch (const CLI::ArgumentMismatch& error) {
            // An option runs short of its value only as the last argument.
            const std::string* need = needOf(arguments.back());
            return UsageError{need != nullptr ? *need : error.what()};
        } catch (const CLI::ParseError& error) {
            return UsageError{error.what()};
        }
        const std::vector<std::string> unknown = unknownOptions();
        if (!unknown.empty()) {
            return UsageError{"unknown option " + unknown.front()};
        }
        return takeRequest();
    }

    std::string help() const { return app_.help(); }

  private:
    struct ValueNeed {
        const CLI::Option* option;
        std::string message;
    };

    CLI::Option* addValueOption(const std::string& names, std::string& value,
                                const std::string& valueName, const std::string& description,
                                std::string need) {
        CLI::Option* option = app_.add_option(names, value, description)
                                  ->type_name(valueName)
                                  ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
        needs_.push_back({option, std::move(need)});
        return option;
    }

    // What the option that `argument` names needs, when it is one that takes a value.
    const std::string* needOf(const std::string& argument) const {
        const std::string name = argument.substr(0, argument.find('='));
        for (const ValueNeed& need : needs_) {
            if (need.option->check_name(name)) {
                return &need.message;
            }
        }
        return nullptr;
    }

    // "/name" and "/name:VALUE" become "--name" and "--name=VALUE" where `name` is one of the
    // program's options, and "/?" asks for the help. Every other argument that begins with '/'
    // stays a file, as does the value of an option that takes the next argument.
    void readSlashOptions(std::vector<std::string>& arguments) const {
        bool isValue = false;
        for (std::string& argument : arguments) {
            if (argument == "--") {
                break;
            }
            if (isValue) {
                isValue = false;
                continue;
            }
            if (argument == "/?") {
                argument = "--help";
            } else if (argument.starts_with('/')) {
                argument = spelledWithDashes(argument);
            }
            isValue = needOf(argument) != nullptr && argument.find('=') == std::string::npos;
        }
    }

    // The option that `slashArgument` names, as CLI11 reads it: "--name" or "--name=VALUE" by its
    // long name; any other argument as it is.
    std::string spelledWithDashes(const std::string& slashArgument) const {
        const std::size_t colon = slashArgument.find(':');
        const bool hasValue = colon != std::string::npos;
        const std::string name = slashArgument.substr(1, hasValue ? colon - 1 : std::string::npos);
        const CLI::Option* option = optionNamed(name);
        if (option == nullptr) {
            return slashArgument;
        }
        return "--" + option->get_lnames().front() +
               (hasValue ? "=" + slashArgument.substr(colon + 1) : "");
    }

    // The option with a long name that "-name" or "--name" names, if any (every option of
    // zemra-convert has a long name).
    const CLI::Option* optionNamed(const std::string& name) const {
        if (name.empty()) {
            return nullptr;
        }
        const CLI::Option* option = app_.get_option_no_throw("--" + name);
        if (option == nullptr && name.size() == 1) {
            option = app_.get_option_no_throw("-" + name);
        }
        return option != nullptr && !option->get_lnames().empty() ? option : nullptr;
    }

    // "--name=VALUE" where CLI11 would read something else: for a flag, a value it would take as
    // true or false; for an option with an empty VALUE, the next argument.
    std::optional<UsageError> findMisusedAttachedValue(
        const std::vector<std::string>& arguments) const {
        for (const std::string& argument : arguments) {
            if (argument == "--") {
                break;
            }
            const std::size_t equals = argument.find('=');
            if (!argument.starts_with("--") || equals == std::string::npos) {
                continue;
            }
            const std::string* need = needOf(argument);
            if (need != nullptr && equals + 1 == argument.size()) {
                return UsageError{*need};
            }
            const CLI::Option* option = app_.get_option_no_throw(argument.substr(0, equals));
            if (need == nullptr && option != nullptr) {
                return UsageError{"unknown option " + argument};
            }
        }
        return std::nullopt;
    }

    // Takes "--report=json" (and "--report=text") out of the options, which CLI11 would read as a
    // flag's true or false.
    std::optional<UsageError> takeReportFormat(std::vector<std::string>& arguments) {
        for (auto argument = arguments.begin(); argument != arguments.end();) {
            if (*argument == "--") {
                break;
            }
            if (!argument->starts_with("--report=")) {
                ++argument;
                continue;
            }
            const std::string format = argument->substr(std::string_view("--report=").size());
            if (format != "json" && format != "text") {
                return UsageError{"--report takes no value or =json"};
            }
            report_ = format == "json" ? ReportFormat::Json : ReportFormat::Text;
            ++reportForms_;
            argument = arguments.erase(argument);
        }
        return std::nullopt;
    }

    // Takes "--dump=VALUE" out of the options: "--dump=xlsx" and "--dump=csv" name the format, and
    // the file is an argument of its own, anywhere among the options. Any other VALUE names the
    // file, as "--dump FILE" does.
    void takeDumpForms(std::vector<std::string>& arguments) {
        constexpr std::string_view kAttached = "--dump=";
        for (auto argument = arguments.begin(); argument != arguments.end();) {
            if (*argument == "--") {
                break;
            }
            if (!argument->starts_with(kAttached)) {
                ++argument;
                continue;
            }
            const std::string value = argument->substr(kAttached.size());
            if (value == "xlsx" || value == "csv") {
                dumpFormat_ = value == "xlsx" ? DumpFormat::Workbook : DumpFormat::Csv;
            } else {
                dumpFile_ = value;
            }
            ++dumpForms_;
            argument = arguments.erase(argument);
        }
    }

    // The first option that takes one value and was given more than once, with the name it is
    // known by.
    std::optional<UsageError> findRepeatedOption() const {
        const std::pair<std::size_t, const char*> uses[] = {
            {at_->count(), "--at"},
            {output_->count(), "-o"},
            {html_->count(), "--html"},
            {tuned_->count(), "--tuned"},
            {base_->count(), "--base"},
            {reportFlag_->count() + reportForms_, "--report"},
            {dump_->count() + dumpForms_, "--dump"},
        };
        for (const auto& [count, name] : uses) {
            if (count > 1) {
                return UsageError{std::string(name) + " is given more than once"};
            }
        }
        return std::nullopt;
    }

    // The arguments the parse could not place so far; the "--" that ends the options is among
    // them.
    std::vector<std::string> unknownOptions() const {
        std::vector<std::string> unknown = app_.remaining();
        std::erase(unknown, "--");
        return unknown;
    }

    ParsedArguments takeDiffRequest() const {
        if (dumping()) {
            return UsageError{"--diff and --dump do not go together"};
        }
        if (output_->count() > 0) {
            return UsageError{"--diff writes no output files: -o has no use"};
        }
        if (at_->count() > 0) {
            return UsageError{"--diff leaves the listing's time aside: --at has no use"};
        }
        if (files_.size() != 2) {
            return UsageError{"--diff needs two files: OLD and NEW"};
        }
        DiffRequest request;
        request.options.variant = kx740e_ ? TesterVariant::Kx740e : TesterVariant::Kx740FeFr;
        request.options.reversePins = reversePins_;
        request.before = platform::pathFromUtf8(files_[0]);
        request.after = platform::pathFromUtf8(files_[1]);
        request.json = report_ == ReportFormat::Json;
        if (html_->count() > 0) {
            if (htmlText_.empty()) {
                return UsageError{*needOf("--html")};
            }
            request.htmlPage = platform::pathFromUtf8(htmlText_);
        }
        return request;
    }

    ParsedArguments takeTunedRequest() const {
        if (tuned_->count() == 0) {
            return UsageError{"--base goes with --tuned FOLDER"};
        }
        if (base_->count() == 0) {
            return UsageError{
                "--tuned needs --base OLD, the component file that FOLDER was "
                "converted from"};
        }
        if (tunedText_.empty()) {
            return UsageError{*needOf("--tuned")};
        }
        if (baseText_.empty()) {
            return UsageError{*needOf("--base")};
        }
        if (dumping()) {
            return UsageError{"--tuned and --dump do not go together"};
        }
        if (files_.size() != 1) {
            return UsageError{"--tuned converts one file: NEW"};
        }
        ParsedArguments conversion = takeConvertRequest();
        if (const auto* error = std::get_if<UsageError>(&conversion)) {
            return *error;
        }
        TunedRequest request;
        request.conversion = std::get<ConvertRequest>(std::move(conversion));
        request.folder = platform::pathFromUtf8(tunedText_);
        request.base = platform::pathFromUtf8(baseText_);
        request.variantGiven = kx740e_;
        return request;
    }

    bool dumping() const { return dump_->count() > 0 || dumpForms_ > 0; }

    ParsedArguments takeRequest() const {
        if (auto error = findRepeatedOption()) {
            return *error;
        }
        if (diff_ && (tuned_->count() > 0 || base_->count() > 0)) {
            return UsageError{"--diff and --tuned do not go together"};
        }
        if (diff_) {
            return takeDiffRequest();
        }
        if (tuned_->count() > 0 || base_->count() > 0) {
            return takeTunedRequest();
        }
        if (dumping()) {
            std::vector<std::string> inputs = files_;
            if (dumpFile_) {
                if (dumpFile_->empty()) {
                    return UsageError{kDumpNeedsAFile};
                }
                inputs.insert(inputs.begin(), *dumpFile_);
            }
            if (inputs.empty()) {
                return UsageError{kDumpNeedsAFile};
            }
            if (inputs.size() > 1 && dumpFile_) {
                return UsageError{"--dump=" + *dumpFile_ +
                                  ": no such format; --dump takes =csv or =xlsx"};
            }
            if (inputs.size() > 1) {
                return UsageError{"--dump takes one file and converts nothing"};
            }
            if (html_->count() > 0) {
                return UsageError{"--dump converts nothing and writes no page"};
            }
            DumpRequest request{platform::pathFromUtf8(inputs.front()),
                                dumpFormat_.value_or(DumpFormat::Csv)};
            if (output_->count() > 0) {
                if (request.format != DumpFormat::Workbook) {
                    return UsageError{
                        "-o goes with --dump=xlsx only: the CSV goes to standard output"};
                }
                if (outputText_.empty()) {
                    return UsageError{*needOf("--output")};
                }
                request.outputParent = platform::pathFromUtf8(outputText_);
            }
            return request;
        }
        return takeConvertRequest();
    }

    ParsedArguments takeConvertRequest() const {
        ConvertRequest request;
        request.report = report_ != ReportFormat::None ? report_
                         : reportText_                 ? ReportFormat::Text
                                                       : ReportFormat::None;
        if (kx740e_) {
            request.settings.options.variant = TesterVariant::Kx740e;
        }
        request.settings.options.reversePins = reversePins_;
        if (at_->count() > 0) {
            const std::optional<LocalDateTime> at = parseLocalDateTime(atText_);
            if (!at) {
                return UsageError{*needOf("--at")};
            }
            if (!isListedYear(*at)) {
                return UsageError{"--at needs a year from 2000 to 2099, the years a listing shows"};
            }
            request.settings.at = *at;
            request.timeGiven = true;
        }
        if (output_->count() > 0) {
            if (outputText_.empty()) {
                return UsageError{*needOf("--output")};
            }
            request.outputParent = platform::pathFromUtf8(outputText_);
        }
        if (html_->count() > 0) {
            if (htmlText_.empty()) {
                return UsageError{*needOf("--html")};
            }
            request.htmlPage = platform::pathFromUtf8(htmlText_);
        }
        if (files_.empty()) {
            return UsageError{"no component file given"};
        }
        for (const std::string& file : files_) {
            request.inputs.push_back(platform::pathFromUtf8(file));
        }
        return request;
    }

    CLI::App app_{kDescription, kProgram};
    std::vector<ValueNeed> needs_;
    bool kx740e_ = false;
    bool reversePins_ = false;
    bool diff_ = false;
    std::string tunedText_;
    std::string baseText_;
    std::string atText_;
    std::string outputText_;
    std::vector<std::string> files_;
    bool reportText_ = false;
    ReportFormat report_ = ReportFormat::None;
    bool dumpFlag_ = false;
    std::size_t dumpForms_ = 0;            // of "--dump=VALUE"
    std::optional<std::string> dumpFile_;  // VALUE of "--dump=VALUE" when it names no format
    std::size_t reportForms_ = 0;          // of "--report=VALUE"
    std::string htmlText_;
    std::optional<DumpFormat> dumpFormat_;
    CLI::Option* at_ = nullptr;
    CLI::Option* html_ = nullptr;
    CLI::Option* tuned_ = nullptr;
    CLI::Option* base_ = nullptr;
    CLI::Option* output_ = nullptr;
    CLI::Option* dump_ = nullptr;
    CLI::Option* reportFlag_ = nullptr;
};

}  // namespace

// CLI11 knows the systems whose programs take options that begin with '/'.
SlashOptions systemSlashOptions() {
    return CLI::App().get_allow_windows_style_options() ? SlashOptions::On : SlashOptions::Off;
}

ParsedArguments parseArguments(const std::vector<std::string>& arguments,
                               SlashOptions slashOptions) {
    CommandLine commandLine;
    return commandLine.parse(arguments, slashOptions);
}

std::string helpText() {
    return CommandLine().help();
}

std::string versionText() {
    return "zemra-convert " + std::string(kProgramVersion) + "\n";
}

}  // namespace zemra::cli
