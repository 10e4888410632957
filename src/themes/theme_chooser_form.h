// The theme chooser: every theme as an entry, the current one marked. A click
// stores the theme and shows it at once here and in the main window; Select
// keeps the last one shown, Cancel goes back to the theme of the opening.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "devices/chooser_dialog.h"
#include "startup/settings_store.h"
#include "themes/theme_table.h"

namespace pellandor {

class Form34 : public ChooserDialog {
    Q_OBJECT

public:
    // `repaint_main_window` repaints the main window from the theme.
    Form34(settings_store& settings, theme_colors& theme, std::function<void()> repaint_main_window,
           QWidget* parent = nullptr);

    void settheme();
    void opcija_Click(int index);
    void Command1_Click();
    void Command2_Click();

    std::array<ClickLabel*, theme_count> opcija{};
    QPushButton* Command1 = nullptr; // Select
    QPushButton* Command2 = nullptr; // Cancel

public slots:
    // Esc is Cancel.
    void reject() override;

protected:
    // Closed by the window manager: the theme of the last click stays.
    void closed_from_outside() override {}

private:
    void Form_Load();
    void mark_selected();
    // Stores and applies the current name, then closes: Select's steps, and
    // Cancel's after it has put the opening theme back.
    void finish(int result);

    settings_store& settings_;
    theme_colors& theme_;
    std::function<void()> repaint_main_window_;
    std::string entry_theme;
};

} // namespace pellandor
