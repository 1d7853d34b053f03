#pragma once

#include <string>

#include "run/local_date_time.h"

namespace zemra {

// The five header lines of the test data listing.
std::string formatListingHeader(const std::string& baseName, char variantCode,
                                const LocalDateTime& at);

}  // namespace zemra
