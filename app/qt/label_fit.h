#pragma once

#include <span>

#include <QSize>
#include <QWidget>

namespace zemra::app {

// The width a control needs to show its label whole.
int widthForLabel(const QWidget& control);

// Widens each control whose label needs more room than its template width gave it, to the right
// only, as far as the label needs and no further than the nearest control beside it or the edge
// of the client area. Our fonts and check-box indicators are wider than those the templates were
// drawn for, and the operator must read every label whole.
void widenToFitLabels(std::span<QWidget* const> controls, const QSize& clientSize);

}  // namespace zemra::app
