#include "fuzz_tester_files.h"

#include <cstdlib>
#include <sstream>
#include <string>

#include "decode/listing_lines.h"
#include "diff/board_diff.h"
#include "diff_json.h"
#include "diff_page.h"
#include "diff_text.h"
#include "diff_writers.h"
#include "io/byte_sink.h"
#include "run/listing_header.h"
#include "tester/listing_reader.h"
#include "tester/pin_files_reader.h"
#include "tester/tester_file_refused.h"

namespace zemra {
namespace {

// The text with each CR LF as LF, ending in a line end.
std::string withLineFeeds(std::string_view text) {
    std::string lines;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!(text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')) {
            lines += text[at];
        }
    }
    if (!lines.empty() && lines.back() != '\n') {
        lines += '\n';
    }
    return lines;
}

std::string headerOf(TesterVariant variant) {
    MemorySink sink;
    TextWriter writer(sink);
    writeListingHeader("FUZZ", variant, {2002, 3, 6, 15, 1, 33}, writer);
    writer.flush();
    return sink.text();
}

// A listing that is accepted lists exactly the values its lines show: written back, the steps
// give the same lines.
TesterVariant readListing(const std::string& text) {
    MemorySource input(std::as_bytes(std::span(text)));
    ListingReader reader(input, "FUZZ.dat");
    MemorySink sink;
    TextWriter writer(sink);
    writeListingHeader("FUZZ", reader.variant(), {2002, 3, 6, 15, 1, 33}, writer);
    while (const ListedColumns* step = reader.next()) {
        writeListedStep(*step, writer);
    }
    writer.flush();
    const std::size_t header = headerOf(reader.variant()).size();
    const std::string_view written = std::string_view(sink.text()).substr(header);
    // The steps of the input are what follows its own five header lines.
    std::string_view steps = text;
    for (int line = 0; line < 5; ++line) {
        const std::size_t end = steps.find('\n');
        steps.remove_prefix(end == std::string_view::npos ? steps.size() : end + 1);
    }
    if (withLineFeeds(written) != withLineFeeds(steps)) {
        std::abort();
    }
    return reader.variant();
}

// A tester folder of the listing, with no IC and the settings of an empty board.
DiffSide folderOf(const std::string& listing) {
    static const std::string settings =
        "SCP /10 = 17\nSCP /13 = 0\nSCP /16 = 2\nSCP /20 = 8\nSCP /28 = -64\nSCP /29 = -48\n";
    return {.componentFile = {}, .testerFolder = [&listing](std::string_view extension) {
                const std::string_view text = extension == ".dat"   ? std::string_view(listing)
                                              : extension == ".scp" ? std::string_view(settings)
                                                                    : std::string_view();
                return TesterFile{std::make_unique<MemorySource>(std::as_bytes(std::span(text))),
                                  "FUZZ" + std::string(extension)};
            }};
}

// Takes no change.
class NoChanges : public DiffReceiver {
  public:
    void takeStep(const StepChange& /*change*/) override {}
    void takeIc(const IcChange& /*change*/) override {}
};

// --diff of an accepted listing: the same as itself, and written out by every writer against an
// empty board.
void diffListing(const std::string& listing, TesterVariant variant) {
    const DecodeOptions options{variant, false};
    NoChanges none;
    if (!compareBoards(folderOf(listing), folderOf(listing), options, none).same()) {
        std::abort();
    }
    std::ostringstream out;
    const cli::DiffHeader header{.before = "FUZZ.dat",
                                 .after = "EMPTY.cmp",
                                 .options = options,
                                 .beforeBytes = {},
                                 .afterBytes = {},
                                 .testerFolder = true};
    cli::DiffText text(out, header);
    cli::DiffJson json(out, header);
    cli::DiffPage page(header);
    DiffWriters writers(text, json, page);
    const DiffSide empty{
        .componentFile =
            [] { return std::make_unique<MemorySource>(std::span<const std::byte>()); },
        .testerFolder = {}};
    const DiffCounts counts = compareBoards(folderOf(listing), empty, options, writers);
    text.finish(counts);
    json.finish(counts);
    if (page.page(counts).empty()) {
        std::abort();
    }
}

}  // namespace

void fuzzTesterFiles(std::span<const std::uint8_t> data) {
    if (data.empty()) {
        return;
    }
    const std::uint8_t choice = data[0];
    const std::string bytes(reinterpret_cast<const char*>(data.data()) + 1, data.size() - 1);
    try {
        switch (choice % 5) {
            case 0:
                diffListing(bytes, readListing(bytes));
                break;
            case 1: {
                const std::string listing = headerOf(TesterVariant::Kx740FeFr) + bytes;
                diffListing(listing, readListing(listing));
                break;
            }
            case 2: {
                const std::string listing = headerOf(TesterVariant::Kx740e) + bytes;
                diffListing(listing, readListing(listing));
                break;
            }
            case 3: {
                // The .icn up to the first blank line, the .icp after it.
                const std::size_t split = bytes.find("\n\n");
                const std::string icn = bytes.substr(0, split);
                const std::string icp = split == std::string::npos ? "" : bytes.substr(split + 2);
                MemorySource icnInput(std::as_bytes(std::span(icn)));
                std::vector<ListedIc> ics = readIcnFile(icnInput, "FUZZ.icn");
                MemorySource icpInput(std::as_bytes(std::span(icp)));
                readIcpFile(icpInput, "FUZZ.icp", ics);
                break;
            }
            default: {
                MemorySource input(std::as_bytes(std::span(bytes)));
                readSettingsFile(input, "FUZZ.scp");
                break;
            }
        }
    } catch (const TesterFileRefused&) {
        // Refusing is what a damaged file deserves.
    }
}

}  // namespace zemra
