#pragma once

namespace zemra::cli {

// The style sheet and the script inside every page: assets/page.css and assets/page.js, built in.
extern const char* const kPageStyle;
extern const char* const kPageScript;

}  // namespace zemra::cli
