#include "label_fit.h"

#include <vector>

#include <QPushButton>
#include <QRect>
#include <QStyle>

#include "label_widths.h"

namespace zemra::app {

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
    std::vector<LabelledControl> placed;
    for (const QWidget* control : controls) {
        const QRect rect = control->geometry();
        placed.push_back(
            {rect.left(), rect.top(), rect.width(), rect.height(), widthForLabel(*control)});
    }
    const std::vector<int> widths = widthsToFitLabels(placed, clientSize.width());
    for (std::size_t index = 0; index < controls.size(); ++index) {
        QWidget& control = *controls[index];
        if (widths[index] != control.width()) {
            control.resize(widths[index], control.height());
        }
    }
}

}  // namespace zemra::app
