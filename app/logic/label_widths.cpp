#include "label_widths.h"

#include <algorithm>

namespace zemra::app {
namespace {

bool sharesRows(const LabelledControl& first, const LabelledControl& second) {
    return first.top < second.top + second.height && second.top < first.top + first.height;
}

// The widest `control` may become without reaching another control to its right or leaving the
// client area.
int roomToTheRight(const LabelledControl& control, std::span<const LabelledControl> controls,
                   int clientWidth) {
    int room = clientWidth - control.left;
    for (const LabelledControl& other : controls) {
        if (&other != &control && other.left >= control.left && sharesRows(control, other)) {
            room = std::min(room, other.left - control.left);
        }
    }
    return room;
}

}  // namespace

std::vector<int> widthsToFitLabels(std::span<const LabelledControl> controls, int clientWidth) {
    std::vector<int> widths;
    widths.reserve(controls.size());
    for (const LabelledControl& control : controls) {
        const int wanted =
            std::min(control.labelWidth, roomToTheRight(control, controls, clientWidth));
        widths.push_back(std::max(control.width, wanted));
    }
    return widths;
}

}  // namespace zemra::app
