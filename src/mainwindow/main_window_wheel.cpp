// The mouse wheel over the main window steps the scroll bar of the grid that
// was the wheel's target last. The wheel is taken while the main window is
// the program's active window; a dialog of the program that becomes active
// takes it away, and switching to another program changes nothing.
#include <QApplication>
#include <QWheelEvent>

#include "mainwindow/main_window.h"
#include "startup/controls_widget.h"
#include "themes/mouse_wheel.h"

namespace pellandor {

void Form1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) {
        return;
    }
    if (isActiveWindow()) {
        hook_wheel();
    } else if (QApplication::activeWindow() != nullptr) {
        unhook_wheel();
    }
}

void Form1::hook_wheel() {
    if (!wheel_enabled(settings_)) {
        return;
    }
    unhook_wheel();
    wheel_hooked_ = true;
    qApp->installEventFilter(this);
}

void Form1::unhook_wheel() {
    if (!wheel_hooked_) {
        return;
    }
    wheel_hooked_ = false;
    qApp->removeEventFilter(this);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && wheel_message(watched, event)) {
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// A wheel message is a turn of a wheel over the main window; a tilt or a
// touchpad's scrolling phases are none. It goes no further than MouseWheel.
bool Form1::wheel_message(QObject* watched, QEvent* event) {
    const auto* widget = qobject_cast<QWidget*>(watched);
    const auto* wheel = static_cast<QWheelEvent*>(event);
    if (widget == nullptr || widget->window() != this || wheel->angleDelta().y() == 0 ||
        wheel->phase() != Qt::NoScrollPhase) {
        return false;
    }
    const QPoint at = wheel->globalPosition().toPoint();
    MouseWheel(static_cast<int>(wheel->buttons()) | static_cast<int>(wheel->modifiers()),
               wheel->angleDelta().y(), at.x(), at.y());
    return true;
}

ScrollBar* Form1::wheel_bar() const {
    return active_grid_ == 1 ? scrl1 : active_grid_ == 2 ? scrl2 : nullptr;
}

void Form1::MouseWheel(int, int rotation, int, int) {
    ScrollBar* bar = wheel_bar();
    if (bar != nullptr) {
        bar->setValue(wheel_value(bar->value(), bar->minimum(), bar->maximum(), rotation));
    }
}

} // namespace pellandor
