#pragma once

#include <string>
#include <string_view>

#include "decode/step_fields.h"
#include "run/local_date_time.h"
#include "text/text_writer.h"

namespace zemra {

// The headings of the columns of a step's line 1 or 2, as the header's fourth and fifth lines
// show them, without the line end: "!Step   Parts-N  ...", "!       Meas-V   Stand-V  ...".
std::string listingHeadings(int line, TesterVariant variant);

// The five header lines of the test data listing.
void writeListingHeader(std::string_view baseName, TesterVariant variant, const LocalDateTime& at,
                        TextWriter& listing);

}  // namespace zemra
