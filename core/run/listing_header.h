#pragma once

#include <string_view>

#include "decode/step_fields.h"
#include "run/local_date_time.h"
#include "text/text_writer.h"

namespace zemra {

// The five header lines of the test data listing.
void writeListingHeader(std::string_view baseName, TesterVariant variant, const LocalDateTime& at,
                        TextWriter& listing);

}  // namespace zemra
