// A hex grid of the main window: lines of text in character cells of exactly
// 8 x 13 pixels (120 x 195 twips), whatever font is installed, so that a point
// in the grid names its cell by plain arithmetic. It holds no state of its
// own beyond the text it was last given.
#pragma once

#include <QHash>
#include <QPixmap>
#include <QWidget>

#include <string>
#include <vector>

namespace pellandor {

class HexGrid : public QWidget {
    Q_OBJECT

public:
    static constexpr int cell_width = 8;
    static constexpr int cell_height = 13;

    explicit HexGrid(QWidget* parent = nullptr);

    // Lines separated by CR LF.
    void set_text(const std::string& text);
    const std::string& text() const { return text_; }

signals:
    void mouse_moved();
    void got_focus();
    // A mouse button released over the grid, at a point in twips from its
    // top-left corner.
    void mouse_released(Qt::MouseButton button, int x_twips, int y_twips);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    const QPixmap& glyph(char c);

    std::string text_;
    std::vector<std::string> lines_;
    // Each character drawn once into its cell, then copied: a redraw of both
    // grids stays far below a millisecond.
    QHash<char, QPixmap> glyphs_;
};

} // namespace pellandor
