#pragma once

#include <chrono>
#include <functional>
#include <string>

#include <QApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace zemra::app::testing {

// Hands the next modal window to `inspect` once it is up, then closes it if `inspect` left it
// open, so that a failed check never leaves a test waiting on a dialog. Made before the action
// that is to open the window, it lives to the end of the test: if no modal window came up within
// its patience, or by its end, the test fails naming the window it waited for.
class ModalWatch {
  public:
    ModalWatch(std::string awaited, std::function<void(QWidget&)> inspect,
               std::chrono::milliseconds patience = std::chrono::seconds(10))
        : awaited_(std::move(awaited)), inspect_(std::move(inspect)), deadline_(patience) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start(10);
    }
    ModalWatch(const ModalWatch&) = delete;
    ModalWatch& operator=(const ModalWatch&) = delete;
    ~ModalWatch() {
        if (!seen_) {
            fail();
        }
    }

  private:
    // A window that comes up late is still handled, so that the test ends instead of hanging.
    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            if (deadline_.hasExpired()) {
                fail();
            }
            return;
        }
        timer_.stop();
        seen_ = true;
        inspect_(*modal);
        if (modal->isVisible()) {
            modal->close();
        }
    }

    void fail() {
        if (!failed_) {
            failed_ = true;
            QTest::qFail(("no modal window came up: waited for " + awaited_).c_str(), __FILE__,
                         __LINE__);
        }
    }

    std::string awaited_;
    std::function<void(QWidget&)> inspect_;
    QDeadlineTimer deadline_;
    QTimer timer_;
    bool seen_ = false;
    bool failed_ = false;
};

}  // namespace zemra::app::testing
