// The yield of long-running work to the event loop. The engine yields after
// every byte it sends and after every progress text, thousands of times a
// second; the loop also runs between every two steps, as each reply arrives
// through it. So a yield that comes less than an interval after the last one
// that ran returns at once: the window stays as lively, and a round trip to
// the adapter no longer pays for several passes of the loop.
#pragma once

#include <chrono>
#include <functional>

namespace pellandor {

class event_yield {
public:
    using clock = std::chrono::steady_clock;

    explicit event_yield(clock::duration interval = std::chrono::milliseconds(1),
                         std::function<clock::time_point()> now = clock::now,
                         std::function<void()> process_events = {});

    // Runs the event loop once, unless it ran less than the interval ago.
    void operator()();

private:
    clock::duration interval_;
    std::function<clock::time_point()> now_;
    std::function<void()> process_events_;
    clock::time_point last_{};
    bool ran_ = false;
};

} // namespace pellandor
