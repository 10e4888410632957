// The in-place editor: a small box laid over a grid cell or a configuration
// field, in which the user types a new value. Enter stores it, Esc and any
// move of the focus away drop it; what is not a value is dropped silently.
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "mainwindow/hex_editor.h"
#include "mainwindow/hex_grid_widget.h"
#include "mainwindow/main_window.h"
#include "startup/controls_widget.h"

namespace pellandor {

namespace {

constexpr int key_enter = 13;
constexpr int key_escape = 27;

// Watches the box for the keys that end an edit and for the loss of its focus.
class EditorKeys : public QObject {
public:
    EditorKeys(QObject* parent, std::function<void(int)> key, std::function<void()> lost)
        : QObject(parent), key_(std::move(key)), lost_(std::move(lost)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int code = static_cast<QKeyEvent*>(event)->key();
            if (code == Qt::Key_Return || code == Qt::Key_Enter) {
                key_(key_enter);
                return true;
            }
            if (code == Qt::Key_Escape) {
                key_(key_escape);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            // Another program, or a menu, taking the focus does not end the edit.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                lost_();
            }
        }
        return false;
    }

private:
    std::function<void(int)> key_;
    std::function<void()> lost_;
};

} // namespace

void Form1::connect_editor() {
    unosbox->installEventFilter(new EditorKeys(
        unosbox, [this](int key) { unosbox_KeyPress(key); }, [this] { unosbox_LostFocus(); }));
    connect(tabla_flash, &HexGrid::got_focus, this, [this] { grid_GotFocus(1); });
    connect(tabla_eeprom, &HexGrid::got_focus, this, [this] { grid_GotFocus(2); });
    connect(tabla_flash, &HexGrid::mouse_released, this,
            [this](Qt::MouseButton button, int x, int y) { grid_MouseUp(1, button, x, y); });
    connect(tabla_eeprom, &HexGrid::mouse_released, this,
            [this](Qt::MouseButton button, int x, int y) { grid_MouseUp(2, button, x, y); });
    for (std::size_t i = 0; i < label_conf.size(); ++i) {
        connect(label_conf[i], &ClickLabel::clicked, this,
                [this, i] { label_conf_Click(static_cast<int>(i)); });
    }
}

void Form1::grid_MouseUp(int grid, Qt::MouseButton button, int x, int y) {
    if (button != Qt::RightButton) {
        return;
    }
    yield();
    const bool flash = grid == 1;
    const std::optional<edit_cell> cell =
        flash ? flash_cell_at(x, y, scrl1->value(), state_.model.flash_size)
              : eeprom_cell_at(x, y, scrl2->value(), state_.model.eeprom_size);
    if (!cell) {
        return;
    }
    const HexGrid& table = flash ? *tabla_flash : *tabla_eeprom;
    edit_index_ = cell->index;
    unosbox->setGeometry(table.x() + twips(cell->left), table.y() + twips(cell->top),
                         twips(cell->width), unosbox->height());
    unosbox->clear();
    unosbox->setMaxLength(cell->max_length);
    edit_pending_ = true;
    edit_target_ = flash ? 1 : 2;
    // The press gave the grid its focus before this release; the prepared
    // edit shows as the grid's focus would have shown it.
    grid_GotFocus(grid);
}

void Form1::grid_GotFocus(int grid) {
    (grid == 1 ? scrl1 : scrl2)->setFocus();
    if (edit_pending_) {
        edit_pending_ = false;
        unosbox->show();
        unosbox->raise();
        unosbox->setFocus();
    }
}

void Form1::label_conf_Click(int index) {
    edit_index_ = index + 1;
    unosbox->setGeometry(label_conf[static_cast<std::size_t>(index)]->geometry());
    unosbox->clear();
    unosbox->setMaxLength(2);
    unosbox->show();
    unosbox->raise();
    unosbox->setFocus();
    edit_target_ = 3;
}

void Form1::unosbox_LostFocus() {
    unosbox->hide();
    (edit_target_ == 2 ? scrl2 : scrl1)->setFocus();
}

void Form1::unosbox_KeyPress(int key_ascii) {
    if (key_ascii == key_escape) {
        unosbox_LostFocus();
        return;
    }
    if (key_ascii != key_enter) {
        return;
    }
    const std::string text = from_qstring(unosbox->text());
    const auto target = static_cast<edit_target_kind>(edit_target_);
    if (!text.empty() && store_edit(state_.image, target, edit_index_, edit_value(text))) {
        (target == edit_target_kind::eeprom_byte ? scrl2 : scrl1)->setFocus();
        updatedisplay();
        label_hex->clear();
    }
    unosbox->hide();
}

} // namespace pellandor
