#include "run/listing_header.h"

#include <string>

#include "decode/listing_columns.h"
#include "text/format.h"

namespace zemra {
namespace {

constexpr const char* kFileNameLine =
    "! File Name: %s Test Data Listing RXL-6200B ICT+FUNCTIONAL ATE\n";
constexpr const char* kBoardNameLine = "! Board Name: %s       Time: ";
constexpr const char* kTimeStamp = "%s-%c%c-%d %s\n";
constexpr const char* kBlankLine = "!\n";

}  // namespace

std::string listingHeadings(int line, TesterVariant variant) {
    std::string headings;
    for (const ListingColumn* column : headedColumns()) {
        if (column->line == line &&
            (column->id != ColumnId::Type || variant == TesterVariant::Kx740FeFr)) {
            headings += column->headingLead;
            headings += column->heading;
        }
    }
    return headings;
}

void writeListingHeader(std::string_view baseName, TesterVariant variant, const LocalDateTime& at,
                        TextWriter& listing) {
    // The stamp is built from the MM/DD/YY date text and HH:MM:SS time text of the run, so the
    // year printed is always 2000 plus the year of the century.
    std::string dateText;
    appendFormatted(dateText, "%02d/%02d/%02d", at.month % 100, at.day % 100, at.year % 100);
    std::string timeText;
    appendFormatted(timeText, "%02d:%02d:%02d", at.hour % 100, at.minute % 100, at.second % 100);
    const std::string month = dateText.substr(0, 2);
    const int year = 2000 + (dateText[6] - '0') * 10 + (dateText[7] - '0');

    // The name may hold any byte but NUL; it is printed whole, as "%s" prints it.
    const std::string name(baseName);
    std::string header;
    appendFormatted(header, kFileNameLine, (name + ".dat").c_str());
    appendFormatted(header, kBoardNameLine, name.c_str());
    appendFormatted(header, kTimeStamp, month.c_str(), dateText[3], dateText[4], year,
                    timeText.c_str());
    header += kBlankLine;
    header += listingHeadings(1, variant) + "\n";
    header += listingHeadings(2, variant) + "\n";
    listing.text(header);
}

}  // namespace zemra
