// The status line's pacing: every text is held at once, a burst is painted
// once a frame, and the last text of a burst is always painted.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include "mainwindow/paced_label_widget.h"
#include "support/window_wait.h"

namespace pellandor::testing {
namespace {

using namespace std::chrono_literals;

// Keeps the label's text at each of its paints.
class paint_log : public QObject {
public:
    explicit paint_log(QLabel& label) : label_(label) { label.installEventFilter(this); }
    std::vector<QString> painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &label_ && event->type() == QEvent::Paint) {
            painted.push_back(label_.text());
        }
        return false;
    }

private:
    QLabel& label_;
};

TEST(PacedLabel, ABurstIsPaintedOnceAFrameAndItsLastTextAlways) {
    // A label on a window, as the status line stands on the main window: a
    // window whose own updates are off is not painted again at all on some
    // platforms, however its updates come back.
    QWidget window;
    window.resize(220, 40);
    QLabel label(&window);
    label.setGeometry(10, 10, 200, 20);
    window.show();
    ASSERT_TRUE(testing::wait_until_exposed(window));
    paced_label paced(label, 16ms);
    paint_log log(label);

    // A text after a quiet spell shows at the next pass of the event loop.
    paced.set_text("Begin verify.");
    QCoreApplication::processEvents();
    ASSERT_FALSE(log.painted.empty());
    EXPECT_EQ(log.painted.back(), "Begin verify.");

    // A step per pass of the event loop, as the adapter's replies drive them.
    log.painted.clear();
    QElapsedTimer burst;
    burst.start();
    for (int i = 1; i <= 2000; ++i) {
        const QString text = QStringLiteral("F:%1/8192").arg(i);
        paced.set_text(text);
        ASSERT_EQ(label.text(), text);
        QCoreApplication::processEvents();
    }
    EXPECT_LE(static_cast<qint64>(log.painted.size()), 2 + burst.elapsed() / 16);

    EXPECT_TRUE(wait_for("the last text of the burst painted", [&] {
        return !log.painted.empty() && log.painted.back() == "F:2000/8192";
    }));
    EXPECT_TRUE(label.updatesEnabled());
}

} // namespace
} // namespace pellandor::testing
