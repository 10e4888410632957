#include "platform/event_yield.h"

#include <QCoreApplication>

namespace pellandor {

event_yield::event_yield(clock::duration interval, std::function<clock::time_point()> now,
                         std::function<void()> process_events)
    : interval_(interval), now_(std::move(now)), process_events_(std::move(process_events)) {
    if (!process_events_) {
        process_events_ = [] { QCoreApplication::processEvents(); };
    }
}

void event_yield::operator()() {
    const clock::time_point now = now_();
    if (ran_ && now - last_ < interval_) {
        return;
    }
    ran_ = true;
    last_ = now;
    process_events_();
}

} // namespace pellandor
