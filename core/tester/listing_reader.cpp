#include "tester/listing_reader.h"

#include <algorithm>
#include <array>
#include <limits>

#include "run/listing_header.h"
#include "tester/line_scanner.h"

namespace zemra {
namespace {

constexpr std::string_view kFileNameStart = "! File Name: ";
constexpr std::string_view kFileNameEnd = ".dat Test Data Listing RXL-6200B ICT+FUNCTIONAL ATE";
constexpr std::string_view kBoardNameStart = "! Board Name: ";
constexpr std::string_view kTimeStart = "       Time: ";
constexpr std::string_view kTimePattern = "00-00-0000 00:00:00";

// The units that Actual-V and Stand-V can show, and blanks for none.
constexpr std::array<std::string_view, 10> kUnits{"V ", "H ", "MH", "UH", "MF",
                                                  "UF", "NF", "PF", "M ", "K "};
constexpr std::string_view kUnitsExpected =
    "a unit: V, H, MH, UH, MF, UF, NF, PF, M, K or two blanks";

constexpr std::size_t kLongestType = 15;

constexpr auto kIntMin = std::numeric_limits<int>::min();
constexpr auto kIntMax = std::numeric_limits<int>::max();

bool matchesTime(std::string_view text) {
    if (text.size() != kTimePattern.size()) {
        return false;
    }
    for (std::size_t index = 0; index < text.size(); ++index) {
        const bool digit = text[index] >= '0' && text[index] <= '9';
        if (kTimePattern[index] == '0' ? !digit : text[index] != kTimePattern[index]) {
            return false;
        }
    }
    return true;
}

int readInt(LineScanner& scanner, const ListingColumn& column) {
    scanner.lead(column.lead, column.heading);
    return static_cast<int>(scanner.integer(column.width, column.heading, kIntMin, kIntMax));
}

ListedDecimal readDecimal(LineScanner& scanner, const ListingColumn& column) {
    scanner.lead(column.lead, column.heading);
    return scanner.decimal(column.width, column.decimals, column.heading);
}

}  // namespace

ListingReader::ListingReader(ByteSource& input, std::string fileName)
    : lines_(input, std::move(fileName)) {
    readHeader();
}

void ListingReader::readHeader() {
    const auto line = [this](std::string_view expected) {
        const std::optional<std::string_view> text = lines_.next();
        if (!text) {
            lines_.refuseEnd(std::string(expected));
        }
        return *text;
    };
    const std::string_view fileName = line("the listing's first line, \"! File Name: ...\"");
    if (!fileName.starts_with(kFileNameStart) || !fileName.ends_with(kFileNameEnd) ||
        fileName.size() < kFileNameStart.size() + kFileNameEnd.size()) {
        lines_.refuse(1,
                      "\"! File Name: NAME.dat Test Data Listing RXL-6200B ICT+FUNCTIONAL ATE\"");
    }
    const std::string_view boardName = line("the listing's second line, \"! Board Name: ...\"");
    const std::size_t time = boardName.rfind(kTimeStart);
    if (!boardName.starts_with(kBoardNameStart) || time == std::string_view::npos ||
        time < kBoardNameStart.size() || !matchesTime(boardName.substr(time + kTimeStart.size()))) {
        lines_.refuse(1, "\"! Board Name: NAME       Time: MM-DD-YYYY HH:MM:SS\"");
    }
    boardName_ = boardName.substr(kBoardNameStart.size(), time - kBoardNameStart.size());
    if (line("\"!\"") != "!") {
        lines_.refuse(1, "\"!\"");
    }
    const std::string feFr = listingHeadings(1, TesterVariant::Kx740FeFr);
    const std::string kx740e = listingHeadings(1, TesterVariant::Kx740e);
    const std::string_view headings = line("the column headings");
    if (headings == feFr) {
        variant_ = TesterVariant::Kx740FeFr;
    } else if (headings == kx740e) {
        variant_ = TesterVariant::Kx740e;
    } else {
        const auto differs =
            std::mismatch(headings.begin(), headings.end(), feFr.begin(), feFr.end());
        lines_.refuse(static_cast<std::size_t>(differs.first - headings.begin()) + 1,
                      "the column headings \"" + kx740e + "\", with \" Type\" or without");
    }
    const std::string measure = listingHeadings(2, variant_);
    const std::string_view measureHeadings = line("the column headings of line 2");
    if (measureHeadings != measure) {
        const auto differs = std::mismatch(measureHeadings.begin(), measureHeadings.end(),
                                           measure.begin(), measure.end());
        lines_.refuse(static_cast<std::size_t>(differs.first - measureHeadings.begin()) + 1,
                      "the column headings \"" + measure + "\"");
    }
}

const ListedColumns* ListingReader::next() {
    const std::optional<std::string_view> line1 = lines_.next();
    if (!line1) {
        return nullptr;
    }
    readLine1(*line1);
    const std::optional<std::string_view> line2 = lines_.next();
    if (!line2) {
        lines_.refuseEnd("line 2 of step " + std::to_string(step_.step));
    }
    readLine2(*line2);
    return &step_;
}

void ListingReader::readLine1(std::string_view line) {
    LineScanner scanner(line, lines_);
    const std::int64_t expected = step_.step + 1;
    const std::int64_t step = scanner.integer(listingColumn(ColumnId::Step).width, "Step",
                                              std::numeric_limits<std::int64_t>::min(),
                                              std::numeric_limits<std::int64_t>::max());
    if (step != expected) {
        scanner.refuse(1, "step number " + std::to_string(expected));
    }
    step_.step = step;
    step_.hasType = false;
    step_.type = {};
    step_.unit = {};

    const ListingColumn& partsN = listingColumn(ColumnId::PartName);
    scanner.literal(partsN.lead, "\" \" before Parts-N");
    const std::size_t nameColumn = scanner.column();
    std::string_view name = scanner.bytes(partsN.width, "Parts-N, 13 columns");
    name.remove_suffix(name.size() - (name.find_last_not_of(' ') + 1));
    if (name.empty()) {
        scanner.refuse(nameColumn, "Parts-N");
    }
    step_.partsN.assign(name);

    step_.actualV = readDecimal(scanner, listingColumn(ColumnId::ActualV));
    const std::size_t unitColumn = scanner.column();
    const std::string_view unit = scanner.bytes(2, kUnitsExpected);
    if (unit != "  " && std::find(kUnits.begin(), kUnits.end(), unit) == kUnits.end()) {
        scanner.refuse(unitColumn, kUnitsExpected);
    }
    if (unit != "  ") {
        step_.unit.assign(unit);
    }

    const ListingColumn& lc = listingColumn(ColumnId::Lc);
    scanner.literal(lc.lead, "\"   \" before LC");
    std::string_view lcText = scanner.bytes(lc.width, "LC, 2 columns");
    lcText.remove_prefix(std::min(lcText.find_first_not_of(' '), lcText.size()));
    step_.lc.assign(lcText);

    static constexpr std::array<ColumnId, 7> kPins{
        ColumnId::HiP,       ColumnId::LoP,       ColumnId::GuardPin1, ColumnId::GuardPin2,
        ColumnId::GuardPin3, ColumnId::GuardPin4, ColumnId::GuardPin5};
    for (std::size_t pin = 0; pin < kPins.size(); ++pin) {
        step_.pins[pin] = readInt(scanner, listingColumn(kPins[pin]));
    }
    step_.skip = readInt(scanner, listingColumn(ColumnId::Skip));
    if (scanner.atEnd()) {
        return;
    }
    const ListingColumn& type = listingColumn(ColumnId::Type);
    if (variant_ == TesterVariant::Kx740e) {
        scanner.end();
    }
    scanner.literal(type.lead, "the end of the line or \" \" before Type");
    const std::size_t typeColumn = scanner.column();
    const std::string_view typeText = scanner.rest();
    if (typeText.empty() || typeText.size() > kLongestType ||
        typeText.find(' ') != std::string_view::npos) {
        scanner.refuse(typeColumn, "Type, a word of at most 15 characters");
    }
    step_.hasType = true;
    step_.type.assign(typeText);
}

void ListingReader::readLine2(std::string_view line) {
    LineScanner scanner(line, lines_);
    // The columns that the tester sets are read at once where they show zeros, as a conversion
    // writes them; they read the same one by one.
    if (line.starts_with(kZeroMeasV.view())) {
        step_.measV = {};
        scanner.bytes(kZeroMeasV.size, "Meas-V");
    } else {
        step_.measV = readDecimal(scanner, listingColumn(ColumnId::MeasV));
    }
    step_.standV = readDecimal(scanner, listingColumn(ColumnId::StandV));
    const std::string_view unit = step_.unit.empty() ? "  " : step_.unit.view();
    scanner.literal(unit, "the unit of line 1");
    step_.upperLimit = readInt(scanner, listingColumn(ColumnId::UpperLimit));
    step_.lowerLimit = readInt(scanner, listingColumn(ColumnId::LowerLimit));
    step_.dly = readInt(scanner, listingColumn(ColumnId::Dly));

    // MODE has no width and the five columns after it have no blank between them, so they are
    // told apart from the end of the line: each fills its own width exactly, and MODE is what
    // comes before them. A wider value there could not be told from its neighbour.
    const ListingColumn& mode = listingColumn(ColumnId::Mode);
    scanner.literal(mode.lead, "\"     \" before MODE");
    static constexpr std::size_t tailWidth = [] {
        std::size_t width = 0;
        for (const ColumnId id : {ColumnId::Avge, ColumnId::Rpt, ColumnId::Smp, ColumnId::Offset,
                                  ColumnId::DevPercent}) {
            width += listingColumn(id).width;
        }
        return width;
    }();
    static_assert(tailWidth == kZeroTail.size);
    const std::string_view rest = scanner.rest();
    if (rest.size() <= tailWidth) {
        scanner.refuse(scanner.column(), "MODE, then AVGE, RPT, SMP, OFFSET and DEV% in " +
                                             std::to_string(tailWidth) + " columns");
    }
    const std::size_t modeColumn = scanner.column();
    if (rest.ends_with(kZeroTail.view())) {
        LineScanner modeScanner(rest.substr(0, rest.size() - tailWidth), lines_, modeColumn);
        step_.mode = static_cast<int>(modeScanner.integer(mode.width, "MODE", kIntMin, kIntMax));
        modeScanner.end();
        step_.avge = 0;
        step_.rpt = 0;
        step_.smp = 0;
        step_.offset = {};
        step_.devPercent = {};
        return;
    }
    LineScanner modeScanner(rest.substr(0, rest.size() - tailWidth), lines_, modeColumn);
    step_.mode = static_cast<int>(modeScanner.integer(mode.width, "MODE", kIntMin, kIntMax));
    modeScanner.end();
    std::size_t tailColumn = modeColumn + rest.size() - tailWidth;
    const auto tailScanner = [&](ColumnId id) {
        const std::size_t width = listingColumn(id).width;
        LineScanner column(line.substr(tailColumn - 1, width), lines_, tailColumn);
        tailColumn += width;
        return column;
    };
    const auto tailInt = [&](ColumnId id) {
        LineScanner column = tailScanner(id);
        const int value = readInt(column, listingColumn(id));
        column.end();
        return value;
    };
    const auto tailDecimal = [&](ColumnId id) {
        LineScanner column = tailScanner(id);
        const ListedDecimal value = readDecimal(column, listingColumn(id));
        column.end();
        return value;
    };
    step_.avge = tailInt(ColumnId::Avge);
    step_.rpt = tailInt(ColumnId::Rpt);
    step_.smp = tailInt(ColumnId::Smp);
    step_.offset = tailDecimal(ColumnId::Offset);
    step_.devPercent = tailDecimal(ColumnId::DevPercent);
}

}  // namespace zemra
