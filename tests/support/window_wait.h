// Waiting for windows, and closing the modal ones that nobody answers.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>

#include "support/event_wait.h"

namespace pellandor::testing {

// The title and class of a window, for messages.
inline std::string window_name(const QWidget& window) {
    return "\"" + window.windowTitle().toStdString() + "\" (" + window.metaObject()->className() +
           ")";
}

// Closes the modal windows that are open, the topmost first, as the window
// manager would, so that whatever waits inside them unwinds; their names.
inline std::string close_modal_windows() {
    std::string closed;
    QWidget* previous = nullptr;
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (modal == previous) {
            break; // it refuses to close: leave it rather than spin
        }
        closed += (closed.empty() ? "" : ", ") + window_name(*modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
        previous = modal;
    }
    return closed;
}

namespace detail {

inline bool window_reached(bool reached, const QWidget& window, const char* state) {
    if (!reached) {
        ADD_FAILURE() << "gave up after " << moment.count() << " ms waiting for the window "
                      << window_name(window) << " to " << state;
    }
    return reached;
}

} // namespace detail

// Runs the event loop until the window is shown on the screen, or active.
[[nodiscard]] inline bool wait_until_exposed(QWidget& window) {
    return detail::window_reached(
        QTest::qWaitForWindowExposed(&window, static_cast<int>(moment.count())), window,
        "be shown");
}
[[nodiscard]] inline bool wait_until_active(QWidget& window) {
    return detail::window_reached(
        QTest::qWaitForWindowActive(&window, static_cast<int>(moment.count())), window,
        "become active");
}

} // namespace pellandor::testing
