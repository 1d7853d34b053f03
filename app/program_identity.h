#pragma once

#include <QString>

namespace zemra::app {

// The program's name is also the title of every message box.
inline QString programName() {
    return QStringLiteral("zemra");
}

inline QString programVersion() {
    return QStringLiteral("1.0.0.1");
}

}  // namespace zemra::app
