#include "startup/controls_widget.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

namespace pellandor {

namespace {

QFont font_of(const QStringList& families, double point_size) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(point_size);
    font.setStyleHint(QFont::AnyStyle);
    return font;
}

} // namespace

QFont sans_font(double point_size) {
    return font_of({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("DejaVu Sans")},
                   point_size);
}

QFont window_font() {
    return sans_font(8.25);
}

QFont console_font() {
    QFont font = font_of({QStringLiteral("Lucida Console"), QStringLiteral("Liberation Mono"),
                          QStringLiteral("DejaVu Sans Mono")},
                         9.75);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

void set_geometry(QWidget& widget, const twips_rect& place) {
    widget.setGeometry(twips(place.left), twips(place.top), twips(place.width),
                       twips(place.height));
}

QPushButton* add_button(QWidget& form, const QString& caption, const twips_rect& place) {
    auto* button = new QPushButton(caption, &form);
    set_geometry(*button, place);
    return button;
}

QColor to_qcolor(theme_color color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

theme_color from_qcolor(const QColor& color) {
    return color.red() + 256 * color.green() + 65536 * color.blue();
}

QString to_qstring(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

std::string from_qstring(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

QString lines_to_qstring(const std::string& text) {
    QString result = to_qstring(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

void set_back_color(QWidget& widget, theme_color color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, to_qcolor(color));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void set_fore_color(QWidget& widget, theme_color color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, to_qcolor(color));
    widget.setPalette(palette);
}

theme_color back_color(const QWidget& widget) {
    return from_qcolor(widget.palette().color(QPalette::Window));
}

theme_color fore_color(const QWidget& widget) {
    return from_qcolor(widget.palette().color(QPalette::WindowText));
}

void set_text_box_colors(QWidget& box, theme_color back, theme_color fore) {
    QPalette palette = box.palette();
    palette.setColor(QPalette::Base, to_qcolor(back));
    palette.setColor(QPalette::Text, to_qcolor(fore));
    box.setPalette(palette);
}

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
    // File paths and messages show the characters they hold, never markup.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) {
        emit clicked();
    }
}

FormSurface::FormSurface(QWidget* parent) : QWidget(parent) {}

void FormSurface::set_back_color(theme_color color) {
    back_color_ = color;
    painted_ = true;
    update();
}

void FormSurface::paintEvent(QPaintEvent*) {
    if (painted_) {
        QPainter(this).fillRect(rect(), to_qcolor(back_color_));
    }
}

void FormSurface::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton) {
        emit clicked();
    }
}

ScrollBar::ScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMinimum(0);
    setMaximum(0);
    setSingleStep(1);
    setPageStep(8);
    connect(this, &QScrollBar::valueChanged, this, [this] {
        if (isSliderDown()) {
            emit scrolled();
        } else {
            emit changed();
        }
    });
}

void ScrollBar::focusInEvent(QFocusEvent* event) {
    QScrollBar::focusInEvent(event);
    emit got_focus();
}

void ScrollBar::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

FormSurface* make_dialog_frame(QWidget& dialog, const QString& caption, int width, int height) {
    dialog.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setFont(window_font());
    dialog.setWindowTitle(caption);
    dialog.setFixedSize(twips(width), twips(height));
    auto* surface = new FormSurface(&dialog);
    surface->setGeometry(dialog.rect());
    return surface;
}

void centre_on_screen(QWidget& window) {
    QScreen* screen = window.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

} // namespace pellandor
