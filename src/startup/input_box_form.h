// The program's own input box: a prompt above a one-line field that starts
// with the default, centred and selected, so that typing replaces it.
#pragma once

#include <QDialog>

#include <string>

#include "themes/theme_table.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace pellandor {

class FormSurface;

class Form07 : public QDialog {
    Q_OBJECT

public:
    // Builds the box at its design layout in the current theme.
    explicit Form07(const theme_colors& theme);

    // The prompt exactly as the caller gave it (CR LF for line breaks) and
    // the field's default; prepare_display fits the box to them.
    void set_entry(const std::string& prompt, const std::string& default_text);
    void settheme();
    void prepare_display();
    // The text entered after OK, "" after Cancel, the default when the box
    // was closed otherwise.
    const std::string& input_text() const { return input_text_; }

    void Command1_Click();
    void Command2_Click();

    // The controls, named as the system names them.
    FormSurface* surface = nullptr;
    QLabel* lab_title = nullptr;
    QLineEdit* txt_input = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    // Esc is Cancel.
    void keyPressEvent(QKeyEvent* event) override;

private:
    const theme_colors& theme_;
    std::string msg_text_;
    std::string input_text_;
    int bottom_margin_ = 0;
};

} // namespace pellandor
