#include "run/listing_header.h"

#include "decode/step_fields.h"
#include "text/format.h"

namespace zemra {
namespace {

constexpr const char* kFileNameLine =
    "! File Name: %s Test Data Listing RXL-6200B ICT+FUNCTIONAL ATE\n";
constexpr const char* kBoardNameLine = "! Board Name: %s       Time: ";
constexpr const char* kTimeStamp = "%s-%c%c-%d %s\n";
constexpr const char* kBlankLine = "!\n";
constexpr const char* kColumnsKx740e =
    "!Step   Parts-N  Actual-V  LC  Hi-P  Lo-P  G-P1  G-P2  G-P3  G-P4  G-P5  Skip\n";
constexpr const char* kColumnsFeFr =
    "!Step   Parts-N  Actual-V  LC  Hi-P  Lo-P  G-P1  G-P2  G-P3  G-P4  G-P5  Skip Type\n";
constexpr const char* kMeasureColumns =
    "!       Meas-V   Stand-V  +Lm%%  -Lm%%  DLY  MODE  AVGE  RPT   SMP  OFFSET  DEV%%\n";

}  // namespace

std::string formatListingHeader(const std::string& baseName, char variantCode,
                                const LocalDateTime& at) {
    // The stamp is built from the MM/DD/YY date text and HH:MM:SS time text of the run, so the
    // year printed is always 2000 plus the year of the century.
    std::string dateText;
    appendFormatted(dateText, "%02d/%02d/%02d", at.month % 100, at.day % 100, at.year % 100);
    std::string timeText;
    appendFormatted(timeText, "%02d:%02d:%02d", at.hour % 100, at.minute % 100, at.second % 100);
    const std::string month = dateText.substr(0, 2);
    const int year = 2000 + (dateText[6] - '0') * 10 + (dateText[7] - '0');

    std::string header;
    appendFormatted(header, kFileNameLine, (baseName + ".dat").c_str());
    appendFormatted(header, kBoardNameLine, baseName.c_str());
    appendFormatted(header, kTimeStamp, month.c_str(), dateText[3], dateText[4], year,
                    timeText.c_str());
    header += kBlankLine;
    header += isKx740e(variantCode) ? kColumnsKx740e : kColumnsFeFr;
    appendFormatted(header, kMeasureColumns);
    return header;
}

}  // namespace zemra
