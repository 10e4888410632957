#include "mainwindow/hex_grid_widget.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "startup/controls_widget.h"

namespace pellandor {

HexGrid::HexGrid(QWidget* parent) : QWidget(parent) {
    setFont(console_font());
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HexGrid::set_text(const std::string& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    lines_.clear();
    std::size_t start = 0;
    while (!text.empty()) {
        const std::size_t end = text.find("\r\n", start);
        lines_.push_back(text.substr(start, end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 2;
    }
    update();
}

const QPixmap& HexGrid::glyph(char c) {
    auto it = glyphs_.find(c);
    if (it != glyphs_.end()) {
        return *it;
    }
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap(QSize(cell_width, cell_height) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(palette().color(QPalette::Base));
    QPainter painter(&pixmap);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    const QFontMetricsF metrics(font());
    const QString letter{QLatin1Char(c)};
    const qreal x = (cell_width - metrics.horizontalAdvance(letter)) / 2;
    const qreal y = (cell_height - metrics.height()) / 2 + metrics.ascent();
    painter.drawText(QPointF(x, y), letter);
    painter.end();
    return *glyphs_.insert(c, pixmap);
}

void HexGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    for (std::size_t row = 0; row < lines_.size(); ++row) {
        const int y = static_cast<int>(row) * cell_height;
        const std::string& line = lines_[row];
        for (std::size_t col = 0; col < line.size(); ++col) {
            if (line[col] != ' ') {
                painter.drawPixmap(static_cast<int>(col) * cell_width, y, glyph(line[col]));
            }
        }
    }
}

// A press on the grid is the grid's, never a click on the form beneath.
void HexGrid::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void HexGrid::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    emit mouse_moved();
}

void HexGrid::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    // A release dragged out past the left or top edge lies at negative twips.
    emit mouse_released(event->button(), static_cast<int>(std::floor(at.x() * 15)),
                        static_cast<int>(std::floor(at.y() * 15)));
}

void HexGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    emit got_focus();
}

void HexGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        glyphs_.clear();
    }
    QWidget::changeEvent(event);
}

} // namespace pellandor
