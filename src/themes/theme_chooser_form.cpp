#include "themes/theme_chooser_form.h"

#include <QPushButton>

#include <utility>

#include "startup/controls_widget.h"
#include "themes/theme_chooser_layout.h"

namespace pellandor {

Form34::Form34(settings_store& settings, theme_colors& theme,
               std::function<void()> repaint_main_window, QWidget* parent)
    : ChooserDialog(QStringLiteral("Change Color Theme"), theme_chooser_width, theme_chooser_height,
                    parent),
      settings_(settings), theme_(theme), repaint_main_window_(std::move(repaint_main_window)) {
    for (int index = 0; index < theme_count; ++index) {
        opcija[index] =
            add_entry(theme_entry_rect(index), to_qstring(theme_chooser_names()[index]));
        connect(opcija[index], &ClickLabel::clicked, this, [this, index] { opcija_Click(index); });
    }
    // Cancel comes first in the tab order and so holds the focus at opening.
    // Enter presses the button that has the focus, as on the desktops: Cancel
    // at opening, Select after a Tab; Select, the default button, takes it
    // only while no button has the focus.
    Command2 = add_button(QStringLiteral("Cancel"), 2340, 7080);
    Command1 = add_button(QStringLiteral("Select"), 3420, 7080);
    Command1->setDefault(true);
    setTabOrder(Command2, Command1);
    Command2->setFocus();
    connect(Command1, &QPushButton::clicked, this, &Form34::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form34::Command2_Click);
    Form_Load();
}

void Form34::Form_Load() {
    settheme();
    entry_theme = theme_.colortheme;
    mark_selected();
}

void Form34::settheme() {
    surface->set_back_color(theme_.col_form_back);
}

void Form34::mark_selected() {
    for (ClickLabel* entry : opcija) {
        paint_entry(*entry, from_qstring(entry->text()) == theme_.colortheme, theme_);
    }
}

void Form34::opcija_Click(int index) {
    theme_.colortheme = from_qstring(opcija[index]->text());
    settings_.save_string_setting(setting::color_theme, theme_.colortheme);
    loadtheme(settings_, theme_);
    settheme();
    mark_selected();
    repaint_main_window_();
}

void Form34::Command1_Click() {
    finish(Accepted);
}

void Form34::Command2_Click() {
    theme_.colortheme = entry_theme;
    finish(Rejected);
}

void Form34::finish(int result) {
    hide_and_yield();
    settings_.save_string_setting(setting::color_theme, theme_.colortheme);
    loadtheme(settings_, theme_);
    repaint_main_window_();
    unload(result);
}

void Form34::reject() {
    Command2_Click();
}

} // namespace pellandor
