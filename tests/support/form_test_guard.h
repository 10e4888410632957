// Keeps the tests of one process apart, so that they pass in any order: a
// modal window that nobody answers fails its test instead of hanging the run,
// and whatever a test leaves behind (windows, an ended event loop, the
// clipboard, the configuration folder, deferred deletions, a mouse button
// held down) fails that test and is cleared before the next one starts. The
// pointer, which tests move as a person's hand does, is put back where the
// test found it.
#pragma once

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QMetaEnum>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <gtest/gtest.h>
#include <string>

#include "support/window_wait.h"

namespace pellandor::testing {

class form_test_guard : public ::testing::EmptyTestEventListener {
public:
    form_test_guard() {
        QObject::connect(&watchdog_, &QTimer::timeout, [this] { watch_modal(); });
    }

    void OnTestStart(const ::testing::TestInfo&) override {
        config_ = qgetenv("XDG_CONFIG_HOME");
        had_config_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        clipboard_ = QGuiApplication::clipboard()->text();
        pointer_ = QCursor::pos();
        watched_ = nullptr;
        watchdog_.start(100);
    }

    void OnTestEnd(const ::testing::TestInfo&) override {
        watchdog_.stop();
        const std::string closed = close_modal_windows();
        EXPECT_TRUE(closed.empty()) << "the test left the modal window " << closed << " open";
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->windowType() != Qt::ToolTip) {
                ADD_FAILURE() << "the test left the window " << window_name(*window) << " open";
                window->close();
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        expect_event_loop_runs();
        expect_mouse_released();
        if (QCursor::pos() != pointer_) {
            QCursor::setPos(pointer_);
        }
        if (QGuiApplication::clipboard()->text() != clipboard_) {
            ADD_FAILURE() << "the test left other text on the clipboard";
            QGuiApplication::clipboard()->setText(clipboard_);
        }
        if (qEnvironmentVariableIsSet("XDG_CONFIG_HOME") != had_config_ ||
            qgetenv("XDG_CONFIG_HOME") != config_) {
            ADD_FAILURE() << "the test left another configuration folder in force";
            if (had_config_) {
                qputenv("XDG_CONFIG_HOME", config_);
            } else {
                qunsetenv("XDG_CONFIG_HOME");
            }
        }
    }

private:
    // The same modal window on top for a whole moment has nobody to answer
    // it: the test fails, and the window is closed so that the test goes on
    // to its end.
    void watch_modal() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != watched_.data()) {
            watched_ = modal;
            watched_since_ = std::chrono::steady_clock::now();
            return;
        }
        if (modal != nullptr && std::chrono::steady_clock::now() - watched_since_ > moment) {
            ADD_FAILURE() << "the modal window " << window_name(*modal) << " stayed open for "
                          << moment.count() << " ms and nobody answered it";
            close_modal_windows();
        }
    }

    // An ended application event loop makes every later exec() return at
    // once: the test fails, and the loop is made to run again as a program's
    // main loop would be started anew.
    static void expect_event_loop_runs() {
        QEventLoop probe;
        QTimer::singleShot(0, &probe, [&probe] { probe.exit(1); });
        if (probe.exec() == 1) {
            return;
        }
        ADD_FAILURE() << "the test ended the application's event loop";
        QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }

    // A button pressed and never released stays held for the next test, in
    // QTest's record and in the application's alike, and every later click
    // carries it: the test fails, and the buttons are released.
    static void expect_mouse_released() {
        const Qt::MouseButtons held =
            QTestPrivate::qtestMouseButtons | QGuiApplication::mouseButtons();
        if (held == Qt::NoButton) {
            return;
        }
        ADD_FAILURE() << "the test left the mouse button "
                      << QMetaEnum::fromType<Qt::MouseButtons>().valueToKeys(held.toInt()).data()
                      << " held down";
        // The releases go to a widget of their own, which nobody sees.
        class release_sink : public QWidget {
            void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
        } sink;
        for (int bit = 0; bit < 32; ++bit) {
            const auto button = static_cast<Qt::MouseButton>(1U << bit);
            if (held.testFlag(button)) {
                QTest::mouseRelease(&sink, button);
            }
        }
    }

    QTimer watchdog_;
    QPointer<QWidget> watched_;
    std::chrono::steady_clock::time_point watched_since_;
    QByteArray config_;
    bool had_config_ = false;
    QString clipboard_;
    QPoint pointer_;
};

} // namespace pellandor::testing
