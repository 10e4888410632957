// A double click as a person makes one.
#pragma once

#include <QTest>
#include <QWidget>

namespace pellandor::testing {

// Press, release, the second press (which arrives as the double click) and
// its release, all on the widget. QTest's own double click on a widget sends
// the double click alone and leaves its button held down, so that the next
// click of the run carries that button too. The last release may reach a
// widget that the double click has hidden, as a person's finger lifts after
// the window is gone.
inline void double_click(QWidget* widget, Qt::MouseButton button) {
    QTest::mousePress(widget, button);
    QTest::mouseRelease(widget, button);
    QTest::mouseDClick(widget, button);
    QTest::mouseRelease(widget, button);
}

} // namespace pellandor::testing
