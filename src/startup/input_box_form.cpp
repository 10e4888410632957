#include "startup/input_box_form.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "startup/controls_widget.h"

namespace pellandor {

Form07::Form07(const theme_colors& theme) : theme_(theme) {
    surface = make_dialog_frame(*this, QStringLiteral("My Input Box"), 4695, 1335);

    lab_title = new QLabel(this);
    lab_title->setObjectName(QStringLiteral("lab_title"));
    set_geometry(*lab_title, {120, 120, 4455, 315});
    lab_title->setFont(sans_font(9));
    lab_title->setWordWrap(true);
    lab_title->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A prompt shows the characters it holds, whatever they are.
    lab_title->setTextFormat(Qt::PlainText);

    txt_input = new QLineEdit(this);
    txt_input->setObjectName(QStringLiteral("txt_input"));
    set_geometry(*txt_input, {180, 540, 4335, 315});
    txt_input->setFont(sans_font(9));

    Command2 = add_button(*this, QStringLiteral("Cancel"), {2760, 960, 855, 315});
    connect(Command2, &QPushButton::clicked, this, &Form07::Command2_Click);
    Command1 = add_button(*this, QStringLiteral("OK"), {3660, 960, 855, 315});
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &Form07::Command1_Click);

    setTabOrder(txt_input, Command1);
    setTabOrder(Command1, Command2);
    settheme();
}

void Form07::set_entry(const std::string& prompt, const std::string& default_text) {
    msg_text_ = prompt;
    input_text_ = default_text;
}

void Form07::settheme() {
    surface->set_back_color(theme_.col_hexhead_back);
    set_back_color(*lab_title, theme_.col_title_back);
    set_fore_color(*lab_title, theme_.col_title_fore);
    // The field's palette colours whatever text it takes later.
    set_text_box_colors(*txt_input, theme_.col_field_back, theme_.col_field_fore);
}

void Form07::prepare_display() {
    bottom_margin_ = height() - Command1->y();

    lab_title->setText(lines_to_qstring(msg_text_));
    lab_title->resize(lab_title->width(),
                      lab_title->heightForWidth(lab_title->width()) + dialog_twips(60));
    const int label_bottom = lab_title->y() + lab_title->height();
    txt_input->move(txt_input->x(), label_bottom + dialog_twips(105));
    Command1->move(Command1->x(), label_bottom + dialog_twips(525));
    Command2->move(Command2->x(), Command1->y());
    setFixedSize(width(), Command1->y() + bottom_margin_);
    surface->setGeometry(rect());

    txt_input->setText(to_qstring(input_text_));
    txt_input->selectAll();
    txt_input->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    txt_input->setFocus();
    centre_on_screen(*this);
}

void Form07::Command1_Click() {
    input_text_ = from_qstring(txt_input->text());
    accept();
}

void Form07::Command2_Click() {
    input_text_.clear();
    reject();
}

void Form07::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        Command2_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace pellandor
