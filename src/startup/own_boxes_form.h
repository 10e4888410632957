// The message box and input box that the core asks for, each call shown in a
// box of its own: a box opened while another is open stands on top of it,
// and each gives its own answer.
#pragma once

#include <string>

#include "startup/input_box.h"
#include "startup/message_box.h"
#include "themes/theme_table.h"

namespace pellandor {

class own_boxes : public message_box_host, public input_box_host {
public:
    // The boxes take the theme's colours as they are when each opens.
    explicit own_boxes(const theme_colors& theme) : theme_(theme) {}

    int my_msgbox(const std::string& text, int kind, const std::string& title) override;
    std::string my_inputbox(const std::string& prompt, const std::string& title,
                            const std::string& default_text) override;

private:
    const theme_colors& theme_;
};

} // namespace pellandor
