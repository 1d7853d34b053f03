#pragma once

#include <windows.h>

namespace zemra::app {

// The width in pixels that `control` needs to show its label whole in its own font.
int widthForLabel(HWND control);

// Widens each control of `dialog` whose label needs more room than its template width gave it,
// to the right only, as far as the label needs and no further than the nearest control beside
// it or the edge of the client area. The fonts that stand in for the dialog font where it is
// missing are wider than the one the templates were drawn for, and the operator must read every
// label whole.
void widenToFitLabels(HWND dialog);

}  // namespace zemra::app
