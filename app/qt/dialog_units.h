#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace zemra::app {

// A position or size in dialog units, as the dialog templates give them.
struct DialogUnitRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct DialogUnitSize {
    int width = 0;
    int height = 0;
};

// Converts dialog units to pixels with a dialog font's metrics: a horizontal unit is a quarter of
// the average width of the font's Latin letters, a vertical unit an eighth of its height. The
// templates were laid out in these units so that they scale with the font.
class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);

    int horizontalPixels(int units) const;
    int verticalPixels(int units) const;
    QRect toPixels(const DialogUnitRect& rect) const;
    QSize toPixels(const DialogUnitSize& size) const;

  private:
    double averageLetterWidth_ = 0.0;
    int fontHeight_ = 0;
};

}  // namespace zemra::app
