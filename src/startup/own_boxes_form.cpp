#include "startup/own_boxes_form.h"

#include "startup/app_info.h"
#include "startup/controls_widget.h"
#include "startup/input_box_form.h"
#include "startup/message_box_form.h"

namespace pellandor {

namespace {

QString caption(const std::string& title) {
    return to_qstring(title.empty() ? std::string(app_title) : title);
}

} // namespace

int own_boxes::my_msgbox(const std::string& text, int kind, const std::string& title) {
    Form08 box(theme_);
    box.set_message(text, kind);
    box.setWindowTitle(caption(title));
    box.prepare_display();
    box.exec();
    return box.msg_result();
}

std::string own_boxes::my_inputbox(const std::string& prompt, const std::string& title,
                                   const std::string& default_text) {
    Form07 box(theme_);
    box.set_entry(prompt, default_text);
    box.setWindowTitle(caption(title));
    box.prepare_display();
    box.exec();
    return box.input_text();
}

} // namespace pellandor
