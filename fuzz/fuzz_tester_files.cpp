#include "fuzz_tester_files.h"

#include <cstdlib>
#include <string>

#include "decode/listing_lines.h"
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
void readListing(const std::string& text) {
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
                readListing(bytes);
                break;
            case 1:
                readListing(headerOf(TesterVariant::Kx740FeFr) + bytes);
                break;
            case 2:
                readListing(headerOf(TesterVariant::Kx740e) + bytes);
                break;
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
