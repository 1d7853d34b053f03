#include "label_fit.h"

#include <algorithm>

#include <QPushButton>
#include <QRect>
#include <QStyle>

namespace zemra::app {
namespace {

bool sharesRows(const QRect& first, const QRect& second) {
    return first.top() <= second.bottom() && second.top() <= first.bottom();
}

// The widest the control at `rect` may become without reaching another control to its right or
// leaving the client area.
int roomToTheRight(const QWidget& control, std::span<QWidget* const> controls,
                   const QSize& clientSize) {
    const QRect rect = control.geometry();
    int room = clientSize.width() - rect.left();
    for (const QWidget* other : controls) {
        const QRect otherRect = other->geometry();
        if (other != &control && otherRect.left() >= rect.left() && sharesRows(rect, otherRect)) {
            room = std::min(room, otherRect.left() - rect.left());
        }
    }
    return room;
}

}  // namespace

int widthForLabel(const QWidget& control) {
    // A push button's size hint also holds the style's smallest button width, which is no need of
    // its label.
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        const QStyle& style = *button->style();
        return button->fontMetrics().horizontalAdvance(button->text()) +
               style.pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
               2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    }
    return control.sizeHint().width();
}

void widenToFitLabels(std::span<QWidget* const> controls, const QSize& clientSize) {
    for (QWidget* control : controls) {
        const int needed = widthForLabel(*control);
        if (needed <= control->width()) {
            continue;
        }
        const int width = std::min(needed, roomToTheRight(*control, controls, clientSize));
        if (width > control->width()) {
            control->resize(width, control->height());
        }
    }
}

}  // namespace zemra::app
