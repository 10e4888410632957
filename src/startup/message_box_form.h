// The program's own message box: the message beside a picture of its kind,
// its height fitted to the text, with OK or Yes and No, the keys N, Y and Z,
// and a copy of the text on the clipboard at a click on it.
#pragma once

#include <QDialog>

#include <string>

#include "themes/theme_table.h"

class QLabel;
class QPushButton;
class QTextEdit;

namespace pellandor {

class ClickLabel;
class FormSurface;

class Form08 : public QDialog {
    Q_OBJECT

public:
    // Builds the box at its design layout in the current theme.
    explicit Form08(const theme_colors& theme);

    // The message exactly as the caller gave it (CR LF for line breaks) and
    // its msgbox_kind; prepare_display fits the box to them.
    void set_message(const std::string& text, int kind);
    void settheme();
    void prepare_display();
    // The msgbox_result of the button pressed.
    int msg_result() const { return msg_result_; }

    void Command1_Click();
    void Command2_Click();

    // The controls, named as the system names them.
    FormSurface* surface = nullptr;
    ClickLabel* lab_title = nullptr;
    QTextEdit* txt_title = nullptr;
    QLabel* img_ok = nullptr;
    QLabel* img_ask = nullptr;
    QLabel* img_err = nullptr;
    QLabel* img_info = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

public slots:
    // Esc and the window manager's close answer as the rightmost button:
    // No in a Yes/No box, OK in any other.
    void reject() override;

protected:
    // Sees every key before the control with the focus, and the text's
    // clicks and focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void copy_text();

    const theme_colors& theme_;
    std::string msg_text_;
    int msg_kind_ = 0;
    int msg_result_ = 0;
    int bottom_margin_ = 0;
    int right_margin_ = 0;
};

} // namespace pellandor
