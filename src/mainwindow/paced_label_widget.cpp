#include "mainwindow/paced_label_widget.h"

#include <QLabel>

#include <algorithm>

namespace pellandor {

paced_label::paced_label(QLabel& label, std::chrono::milliseconds frame)
    : label_(label), frame_(frame) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, &label_, [this] { paint_held_back(); });
}

void paced_label::set_text(const QString& text) {
    const clock::time_point now = clock::now();
    if (!timer_.isActive() && now - last_paint_ >= frame_) {
        label_.setText(text);
        last_paint_ = now;
        return;
    }
    // With its updates off the label takes the text without asking for a
    // paint; the window system's own paints still show it as it is.
    label_.setUpdatesEnabled(false);
    label_.setText(text);
    if (!timer_.isActive()) {
        const auto rest =
            std::chrono::ceil<std::chrono::milliseconds>(frame_ - (now - last_paint_));
        timer_.start(std::max(rest, std::chrono::milliseconds(0)));
    }
}

void paced_label::paint_held_back() {
    // Turning the updates on again paints the whole label.
    label_.setUpdatesEnabled(true);
    last_paint_ = clock::now();
}

} // namespace pellandor
