#include "dialog_units.h"

#include <QFontMetricsF>
#include <QString>

namespace zemra::app {
namespace {

constexpr double kHorizontalUnitsPerLetter = 4.0;
constexpr double kVerticalUnitsPerLine = 8.0;

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetricsF metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    averageLetterWidth_ = metrics.horizontalAdvance(letters) / static_cast<double>(letters.size());
    fontHeight_ = QFontMetrics(font).height();
}

int DialogUnits::horizontalPixels(int units) const {
    return qRound(units * averageLetterWidth_ / kHorizontalUnitsPerLetter);
}

int DialogUnits::verticalPixels(int units) const {
    return qRound(units * fontHeight_ / kVerticalUnitsPerLine);
}

QRect DialogUnits::toPixels(const DialogUnitRect& rect) const {
    return {horizontalPixels(rect.x), verticalPixels(rect.y), horizontalPixels(rect.width),
            verticalPixels(rect.height)};
}

QSize DialogUnits::toPixels(const DialogUnitSize& size) const {
    return {horizontalPixels(size.width), verticalPixels(size.height)};
}

}  // namespace zemra::app
