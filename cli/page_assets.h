#pragma once

namespace zemra::cli {

// The style sheet and the script inside every page.
extern const char* const kPageStyle;
extern const char* const kPageScript;

}  // namespace zemra::cli
