// The program's own message box as the core sees it: every message and
// question of the system passes through it. The forms implement it with the
// real modal box; tests and probes with a recorder.
#pragma once

#include <string>

namespace pellandor {

// Kinds of box (msgbox_kind).
inline constexpr int msgbox_plain = 0;
inline constexpr int msgbox_yes_no = 4;
inline constexpr int msgbox_error = 16;
inline constexpr int msgbox_information = 64;

// Answers (msgbox_result).
inline constexpr int msgbox_ok = 1;
inline constexpr int msgbox_yes = 6;
inline constexpr int msgbox_no = 7;

// The system's line break inside messages, prompts and reports.
inline constexpr const char* crlf = "\r\n";

class message_box_host {
public:
    virtual ~message_box_host() = default;
    // Shows the box modally and gives the answer; an empty title means the
    // program's title.
    virtual int my_msgbox(const std::string& text, int kind, const std::string& title) = 0;
};

} // namespace pellandor
