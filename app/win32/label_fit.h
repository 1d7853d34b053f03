#pragma once

#include <windows.h>

namespace zemra::app {

// The width in pixels that `control` needs to show its label whole in its own font.
int widthForLabel(HWND control);

// Widens the controls of `dialog` whose labels need more room than their template widths gave
// them, as widthsToFitLabels() says: the fonts that stand in for the dialog font where it is
// missing are wider than the one the templates were drawn for.
void widenToFitLabels(HWND dialog);

}  // namespace zemra::app
