#pragma once

#include <span>

#include <QSize>
#include <QWidget>

namespace zemra::app {

// The width a control needs to show its label whole.
int widthForLabel(const QWidget& control);

// Widens the controls whose labels need more room than their template widths gave them, as
// widthsToFitLabels() says.
void widenToFitLabels(std::span<QWidget* const> controls, const QSize& clientSize);

}  // namespace zemra::app
