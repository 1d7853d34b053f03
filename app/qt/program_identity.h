#pragma once

#include <QString>

#include "zemra_version.h"

namespace zemra::app {

// The program's name is also the title of every message box.
inline QString programName() {
    return QStringLiteral("zemra");
}

inline QString programVersion() {
    return QString::fromLatin1(kProgramVersion.data(), kProgramVersion.size());
}

// The version line of the About box.
inline QString aboutVersionText() {
    return QStringLiteral("轉換程式Ver.") +
           QString::fromLatin1(kProgramRelease.data(), kProgramRelease.size());
}

}  // namespace zemra::app
