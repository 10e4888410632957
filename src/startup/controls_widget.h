// What every window of the program is built from: twips to pixels, the
// system's fonts, colours of the theme on widgets, labels that take clicks,
// the surface of a form, and the dialogs' frame.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QString>
#include <QWidget>

#include <string>

#include "startup/twips.h"
#include "themes/theme_table.h"

namespace pellandor {

// Puts a control at its design place.
void set_geometry(QWidget& widget, const twips_rect& place);
// A command button at its design place, pressed only by its own click, Space
// and the form's default and cancel keys.
QPushButton* add_button(QWidget& form, const QString& caption, const twips_rect& place);

// "Microsoft Sans Serif" at a point size, with its stand-ins.
QFont sans_font(double point_size);
// The windows' own font, "Microsoft Sans Serif" 8.25 pt.
QFont window_font();
// "Lucida Console" 9.75 pt, with its stand-ins: the grids, the configuration
// fields and the in-place editor.
QFont console_font();

QColor to_qcolor(theme_color color);
theme_color from_qcolor(const QColor& color);

// The 8-bit texts of the core and the widgets' texts: the local encoding, so
// that file names in any script survive the round trip.
QString to_qstring(const std::string& text);
std::string from_qstring(const QString& text);
// CR LF pairs become the widgets' line breaks and back.
QString lines_to_qstring(const std::string& text);

// BackColor and ForeColor of a label or a form: the window and text roles,
// with the background filled.
void set_back_color(QWidget& widget, theme_color color);
void set_fore_color(QWidget& widget, theme_color color);
theme_color back_color(const QWidget& widget);
theme_color fore_color(const QWidget& widget);
// BackColor and ForeColor of a text box: the base and text roles.
void set_text_box_colors(QWidget& box, theme_color back, theme_color fore);

// A label whose click is an event of its own: a press on it never reaches
// the form beneath, and a press and release on it is one click. It shows its
// text as plain text.
class ClickLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// The client area of a form: a click on it where no control stands is the
// form's click. Its BackColor is painted here rather than put into a palette,
// which the buttons, scroll bars and grids on it would inherit: they keep
// their own colours whatever the theme.
class FormSurface : public QWidget {
    Q_OBJECT

public:
    explicit FormSurface(QWidget* parent = nullptr);

    void set_back_color(theme_color color);
    theme_color back_color() const { return back_color_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    theme_color back_color_ = 0;
    bool painted_ = false;
};

// A vertical scroll bar that takes the focus by click and by code and says
// when it got it. Every change of its value is one change event; while the
// user drags the thumb the change is a scroll event instead.
class ScrollBar : public QScrollBar {
    Q_OBJECT

public:
    explicit ScrollBar(QWidget* parent = nullptr);

signals:
    void changed();
    void scrolled();
    void got_focus();

protected:
    void focusInEvent(QFocusEvent* event) override;
    // The wheel steps a grid only through the main window, by exactly three
    // lines; the bar itself never takes it.
    void wheelEvent(QWheelEvent* event) override;
};

// A dialog's frame: a tool window with a title bar but no close box and no
// taskbar entry, modal to the whole program, in the window font, with its
// design caption and client size in twips; gives the surface that carries the
// form's colour under its controls.
FormSurface* make_dialog_frame(QWidget& dialog, const QString& caption, int width, int height);
// Places a window in the middle of the screen it is on.
void centre_on_screen(QWidget& window);

} // namespace pellandor
