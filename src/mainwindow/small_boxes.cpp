#include "mainwindow/small_boxes.h"

#include <initializer_list>

#include "startup/app_info.h"
#include "startup/text_value.h"

namespace pellandor {
namespace {

std::string joined_lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += crlf;
    }
    return text;
}

} // namespace

programming_time_entry read_programming_time(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const double n = text_value(text);
    if (!(n >= 1 && n <= 30)) {
        return {programming_time_entry::wrong_entry, 0};
    }
    return {programming_time_entry::new_time, round_half_even(n)};
}

void change_programming_time(input_box_host& inputs, message_box_host& boxes,
                             std::int32_t& programming_time) {
    const std::string typed = inputs.my_inputbox(programming_time_prompt, app_title,
                                                 decimal_text(std::int64_t{programming_time}));
    const programming_time_entry entry = read_programming_time(typed);
    if (entry.outcome == programming_time_entry::new_time) {
        programming_time = entry.time;
    } else if (entry.outcome == programming_time_entry::wrong_entry) {
        boxes.my_msgbox(wrong_entry_text, msgbox_error, app_title);
    }
}

std::string pinout_text() {
    return joined_lines({
        "Serial Port Pinout:",
        "",
        "Pin\tSignal\tDirection",
        "1\tDCD\tInput",
        "2\tRD\tInput",
        "3\tTD\tOutput",
        "4\tDTR\tOutput",
        "5\tGND\t-",
        "6\tDSR\tInput",
        "7\tRTS\tOutput",
        "8\tCTS\tInput",
        "9\tRI\tInput",
        "",
        "Directions are defined from the viewpoint of the PC.",
    });
}

std::string about_text() {
    return joined_lines({
        app_title,
        "Written by the Quillmere Pellandor developers.",
        "Free to use, copy and share.",
        "",
        "This software is supplied as is in goodwill that it will successfully serve its "
        "purpose, but without any warranties.",
        "The free companion program of the simple serial programming adapter described in the "
        "project's README, available from the Quillmere Pellandor repository.",
        "",
        "Send bug reports and suggestions to:",
        "The issue tracker of the Quillmere Pellandor repository.",
    });
}

} // namespace pellandor
