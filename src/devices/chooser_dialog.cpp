#include "devices/chooser_dialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPushButton>

#include "startup/controls_widget.h"

namespace pellandor {

namespace {

constexpr int button_width = 1035;
constexpr int button_height = 375;

} // namespace

ChooserDialog::ChooserDialog(const QString& caption, int width, int height, QWidget* parent)
    : QDialog(parent) {
    surface = make_dialog_frame(*this, caption, width, height);
}

ClickLabel* ChooserDialog::add_entry(const twips_rect& place_at, const QString& caption) {
    auto* entry = new ClickLabel(surface);
    entry->setFrameStyle(QFrame::Box | QFrame::Plain);
    entry->setLineWidth(1);
    entry->setAlignment(Qt::AlignCenter);
    entry->setText(caption);
    set_geometry(*entry, place_at);
    return entry;
}

QPushButton* ChooserDialog::add_button(const QString& text, int left, int top) {
    return pellandor::add_button(*this, text, {left, top, button_width, button_height});
}

void ChooserDialog::set_client_height(int height) {
    setFixedSize(width(), twips(height));
    surface->setGeometry(rect());
}

void ChooserDialog::paint_entry(ClickLabel& entry, bool marked, const theme_colors& theme) {
    set_back_color(entry, marked ? theme.col_select_back : theme.col_field_back);
    set_fore_color(entry, marked ? theme.col_select_fore : theme.col_field_fore);
}

void ChooserDialog::hide_and_yield() {
    hide();
    QCoreApplication::processEvents();
}

void ChooserDialog::unload(int result) {
    unloaded_ = true;
    done(result);
}

void ChooserDialog::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!unloaded_) {
        closed_from_outside();
    }
}

void ChooserDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centre_on_screen(*this);
}

} // namespace pellandor
