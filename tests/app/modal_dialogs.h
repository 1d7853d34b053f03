#pragma once

#include <functional>

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace zemra::app::testing {

// Hands the next modal window to `inspect` once it is up, then closes it if `inspect` left it
// open, so that a failed check never leaves a test waiting on a dialog.
inline void whenModalShown(std::function<void(QWidget&)> inspect, int attemptsLeft = 100) {
    QTimer::singleShot(10, [inspect = std::move(inspect), attemptsLeft]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            if (attemptsLeft > 0) {
                whenModalShown(std::move(inspect), attemptsLeft - 1);
            }
            return;
        }
        inspect(*modal);
        if (modal->isVisible()) {
            modal->close();
        }
    });
}

}  // namespace zemra::app::testing
