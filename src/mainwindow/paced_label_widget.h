// A label whose text changes thousands of times a second: the status line
// while an operation shows its progress at every byte. Each text is set at
// once, so the label always holds the last one, but the label is painted at
// most once per frame; a text set within a frame of the last painted one is
// painted when that frame is over. A paint per text would cost each round
// trip to the adapter more than the program's own work on it, for changes no
// eye can follow. The label stands on a window: it is not a window itself,
// whose paints some platforms would not resume.
#pragma once

#include <QTimer>

#include <chrono>

class QLabel;
class QString;

namespace pellandor {

class paced_label {
public:
    using clock = std::chrono::steady_clock;

    explicit paced_label(QLabel& label,
                         std::chrono::milliseconds frame = std::chrono::milliseconds(16));

    void set_text(const QString& text);

private:
    void paint_held_back();

    QLabel& label_;
    std::chrono::milliseconds frame_;
    QTimer timer_;
    clock::time_point last_paint_{};
};

} // namespace pellandor
