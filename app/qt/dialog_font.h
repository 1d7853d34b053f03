#pragma once

#include <QFont>

namespace zemra::app {

// The font of both dialogs: "新細明體" at 9 points where it is installed, else a Ming-style
// Traditional Chinese font of the same kind.
QFont dialogFont();

}  // namespace zemra::app
