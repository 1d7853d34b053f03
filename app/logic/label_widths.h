#pragma once

#include <span>
#include <vector>

namespace zemra::app {

// A control of a dialog where the dialog's template put it, in pixels of the client area, with the
// width its label needs in the font it is drawn with.
struct LabelledControl {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int labelWidth = 0;
};

// The width of each control once it shows its label whole: a control whose label needs more room
// than its template width gave it is widened to the right only, as far as the label needs and no
// further than the nearest control beside it or the edge of the client area. Our fonts and
// check-box marks are wider than those the templates were drawn for, and the operator must read
// every label whole.
std::vector<int> widthsToFitLabels(std::span<const LabelledControl> controls, int clientWidth);

}  // namespace zemra::app
