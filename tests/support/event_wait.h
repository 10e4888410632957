// Waiting in tests for what the event loop brings. A wait ends as soon as its
// condition holds; one that runs out fails at once and says what it waited
// for. No budget covers work of unknown length: an operation is waited for
// while it moves, and only its standing still counts against it.
#pragma once

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace pellandor::testing {

// What a moment's work may take on a loaded machine: a byte across a
// pseudo-terminal, a posted event, a window shown or activated. Generous, so
// that a busy machine never runs out of it, and still far below the time
// limit of the test run, so that a wait that runs out fails rather than hangs.
inline constexpr std::chrono::milliseconds moment{20000};

namespace detail {

// Runs the event loop, looking at `look` every few milliseconds, until it
// returns false. The loop blocks between looks rather than spinning, so a
// wait adds no load of its own to a busy machine.
inline void run_events_while(const std::function<bool()>& look) {
    if (!look()) {
        return;
    }
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!look()) {
            poll.stop();
            loop.quit();
        }
    });
    poll.start(5);
    if (loop.exec() != 0) {
        ADD_FAILURE() << "the application's event loop was ended: no event loop can run";
    }
}

inline void give_up(std::string_view what, std::chrono::milliseconds after,
                    std::string_view detail = {}) {
    ADD_FAILURE() << "gave up after " << after.count() << " ms waiting for " << what << detail;
}

} // namespace detail

// Runs the event loop until done() holds. After `budget` it gives up with a
// failure that names `what`. (A modal window that holds the wait up inside
// its own loop is closed by the form tests' guard.)
[[nodiscard]] inline bool wait_for(std::string_view what, const std::function<bool()>& done,
                                   std::chrono::milliseconds budget = moment) {
    using clock = std::chrono::steady_clock;
    const auto start = clock::now();
    detail::run_events_while([&] {
        if (done()) {
            return false;
        }
        if (clock::now() - start > budget) {
            detail::give_up(what, budget);
            return false;
        }
        return true;
    });
    return done();
}

// Runs the event loop until done() holds, however long that takes while
// progress() keeps changing, as an operation's status and step do. Once
// progress() has stood still for `quiet`, it gives up with a failure that
// names `what` and the progress it stood at.
[[nodiscard]] inline bool wait_while_moving(std::string_view what,
                                            const std::function<bool()>& done,
                                            const std::function<std::string()>& progress,
                                            std::chrono::milliseconds quiet = moment) {
    using clock = std::chrono::steady_clock;
    std::string last = progress();
    auto moved = clock::now();
    detail::run_events_while([&] {
        if (done()) {
            return false;
        }
        std::string now = progress();
        if (now != last) {
            last = std::move(now);
            moved = clock::now();
        } else if (clock::now() - moved > quiet) {
            detail::give_up(what, quiet, " with nothing moving; it stood at: " + last);
            return false;
        }
        return true;
    });
    return done();
}

// Runs the event loop for a while, for a check that something does not
// happen.
inline void run_events_for(std::chrono::milliseconds span) {
    const auto end = std::chrono::steady_clock::now() + span;
    detail::run_events_while([&] { return std::chrono::steady_clock::now() < end; });
}

} // namespace pellandor::testing
