#pragma once

#include <QIcon>

namespace zemra::app {

// Icon 128 of the program, in its 32 by 32 and 16 by 16 images.
QIcon programIcon();

}  // namespace zemra::app
