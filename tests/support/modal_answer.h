// Answers a modal window the way a person would: the test names what to do
// with the next modal window before the code under test opens it and waits.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <type_traits>

#include "support/window_wait.h"

namespace pellandor::testing {

// Runs `act` on the next modal window other than the one active when it was
// armed, as soon as that window is open and active: a person answers the box
// they see, with its focus where it settled. It waits for the window however
// long the work before it takes; the test's end ends the wait, and a window
// that never opened is a failure.
class [[nodiscard]] modal_answer {
public:
    explicit modal_answer(std::function<void(QWidget&)> act)
        : before_(QApplication::activeModalWidget()), act_(std::move(act)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start(10);
    }
    ~modal_answer() {
        EXPECT_TRUE(answered_) << "the modal window this test was to answer never opened";
    }
    modal_answer(const modal_answer&) = delete;
    modal_answer& operator=(const modal_answer&) = delete;

private:
    // A platform that never activates the window gets its answer a while
    // after the window showed.
    static constexpr std::chrono::milliseconds unactivated{1000};

    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == before_.data() || !modal->isVisible()) {
            return;
        }
        if (modal != seen_.data()) {
            seen_ = modal;
            seen_at_ = std::chrono::steady_clock::now();
        }
        if (!modal->isActiveWindow() && std::chrono::steady_clock::now() - seen_at_ < unactivated) {
            return;
        }
        timer_.stop();
        answered_ = true;
        act_(*modal);
    }

    QPointer<QWidget> before_;
    QPointer<QWidget> seen_;
    std::chrono::steady_clock::time_point seen_at_;
    std::function<void(QWidget&)> act_;
    QTimer timer_;
    bool answered_ = false;
};

// The window is expected to be a `Form`; another one opening fails the test,
// and is left to the guard to close.
template <typename Form = QWidget>
modal_answer when_modal_opens(std::type_identity_t<std::function<void(Form&)>> act) {
    return modal_answer([act = std::move(act)](QWidget& modal) {
        auto* form = dynamic_cast<Form*>(&modal);
        ASSERT_NE(form, nullptr) << "another window opened: " << window_name(modal);
        act(*form);
    });
}

} // namespace pellandor::testing
