// Answers a modal window the way a person would, from a timer: the test
// names what to do with the next modal window before the code under test
// opens it and waits.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace pellandor::testing {

// Runs `act` on the next modal window other than the one active now, as soon
// as it is open and active (a person answers the box they see, with its
// focus where it settled); gives up after the timeout.
inline void when_modal_opens(std::function<void(QWidget&)> act, int timeout_ms = 5000) {
    QPointer<QWidget> before = QApplication::activeModalWidget();
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(
        timer, &QTimer::timeout, [timer, before, waited, act = std::move(act), timeout_ms] {
            QWidget* modal = QApplication::activeModalWidget();
            *waited += timer->interval();
            // A platform that never activates the box gets it after a while anyway.
            const bool settled =
                modal != nullptr && (modal->isActiveWindow() || *waited > timeout_ms / 5);
            if (modal != nullptr && modal != before.data() && modal->isVisible() && settled) {
                timer->stop();
                timer->deleteLater();
                act(*modal);
            } else if (*waited > timeout_ms) {
                timer->stop();
                timer->deleteLater();
            }
        });
    timer->start(10);
}

} // namespace pellandor::testing
