#include "tester/pin_files_reader.h"

#include <limits>

#include "tester/line_scanner.h"

namespace zemra {
namespace {

constexpr auto kIntMin = std::numeric_limits<int>::min();
constexpr auto kIntMax = std::numeric_limits<int>::max();
constexpr auto kLineMax = std::numeric_limits<std::int64_t>::max();

// Offsets of the settings lines whose value is a run counter: SCP /28 shows MaxLcLetter less the
// code of "@", SCP /29 MaxLcDigit less the code of "0".
constexpr int kLetterOffset = 64;
constexpr int kDigitOffset = 48;

}  // namespace

std::vector<ListedIc> readIcnFile(ByteSource& input, const std::string& fileName) {
    LineReader lines(input, fileName);
    std::vector<ListedIc> ics;
    std::int64_t firstIcp = 1;
    while (const std::optional<std::string_view> line = lines.next()) {
        LineScanner scanner(*line, lines);
        const auto number = static_cast<std::int64_t>(ics.size()) + 1;
        if (scanner.integer(2, "the IC number", 1, kLineMax) != number) {
            scanner.refuse(1, "IC number " + std::to_string(number));
        }
        ListedIc ic;
        scanner.literal(" ", "\" \" before the IC name");
        ic.name = scanner.rightAligned(5, "the IC name");
        scanner.literal(" ", "\" \" before the LC");
        std::string_view lc = scanner.bytes(3, "the LC, 3 columns");
        lc.remove_prefix(std::min(lc.find_first_not_of(' '), lc.size()));
        ic.lc.assign(lc);
        scanner.literal(" ", "\" \" before the pin count");
        ic.pinCount = static_cast<int>(scanner.integer(4, "the pin count", 0, kIntMax));
        scanner.literal("   0   ", "\"   0   \" after the pin count");
        scanner.integer(4, "0", 0, 0);
        scanner.literal("   ", "\"   \" before the first ICP number");
        const std::size_t firstColumn = scanner.column();
        if (scanner.integer(4, "the first ICP number", 1, kLineMax) != firstIcp) {
            scanner.refuse(firstColumn, "first ICP number " + std::to_string(firstIcp));
        }
        scanner.literal("   0  30  30   0   0   0   0", "\"   0  30  30   0   0   0   0\"");
        scanner.end();
        firstIcp += ic.pinCount;
        ics.push_back(std::move(ic));
    }
    return ics;
}

void readIcpFile(ByteSource& input, const std::string& fileName, std::vector<ListedIc>& ics) {
    LineReader lines(input, fileName);
    std::int64_t number = 1;
    for (ListedIc& ic : ics) {
        // Grown line by line: the pin count is the file's word, not yet its lines.
        ic.testerPins.clear();
        for (int pin = 1; pin <= ic.pinCount; ++pin, ++number) {
            const std::optional<std::string_view> line = lines.next();
            if (!line) {
                lines.refuseEnd("ICP line " + std::to_string(number) + ", of pin " +
                                std::to_string(pin) + " of " + ic.name);
            }
            LineScanner scanner(*line, lines);
            scanner.literal("ICP / ", "\"ICP / \"");
            if (scanner.integer(4, "the ICP number", 1, kLineMax) != number) {
                scanner.refuse(7, "ICP number " + std::to_string(number));
            }
            scanner.literal(" = ", "\" = \"");
            ic.testerPins.push_back(
                static_cast<int>(scanner.integer(4, "the tester pin", kIntMin, kIntMax)));
            scanner.literal(" 0", "\" 0\"");
            scanner.end();
        }
    }
    if (lines.next()) {
        lines.refuse(1, "the end of the file, after the pins of the ICs of the .icn file");
    }
}

RunCounters readSettingsFile(ByteSource& input, const std::string& fileName) {
    LineReader lines(input, fileName);
    RunCounters counters;
    struct Setting {
        std::string_view number;
        int* counter;
        int offset;
        int fixed;
    };
    const std::array<Setting, 6> settings{{
        {"10", nullptr, 0, 17},
        {"13", &counters.maxPin, 0, 0},
        {"16", nullptr, 0, 2},
        {"20", nullptr, 0, 8},
        {"28", &counters.maxLcLetter, kLetterOffset, 0},
        {"29", &counters.maxLcDigit, kDigitOffset, 0},
    }};
    for (const Setting& setting : settings) {
        const std::string name = "SCP /" + std::string(setting.number);
        const std::optional<std::string_view> line = lines.next();
        if (!line) {
            lines.refuseEnd("\"" + name + " = \"");
        }
        LineScanner scanner(*line, lines);
        scanner.literal(name + " = ", "\"" + name + " = \"");
        if (setting.counter == nullptr) {
            scanner.integer(0, std::to_string(setting.fixed), setting.fixed, setting.fixed);
        } else {
            *setting.counter = static_cast<int>(scanner.integer(0, "a whole number", kIntMin,
                                                                kIntMax - setting.offset)) +
                               setting.offset;
        }
        scanner.end();
    }
    if (lines.next()) {
        lines.refuse(1, "the end of the file after SCP /29");
    }
    return counters;
}

}  // namespace zemra
