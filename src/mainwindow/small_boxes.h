// The main window's three small commands: the programming time entry of the
// Options menu and the two fixed texts of the Help menu.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "startup/input_box.h"
#include "startup/message_box.h"

namespace pellandor {

inline constexpr const char* programming_time_prompt = "Enter new programming time in ms [1-30].";
// The error box of every one-line entry that is not accepted.
inline constexpr const char* wrong_entry_text = "Wrong entry!";

// What a typed programming time does: an empty entry (Cancel, or OK on an
// emptied field) changes nothing and shows nothing; a leading number from 1
// to 30 becomes the new time, rounded halves to even; anything else is a
// wrong entry.
struct programming_time_entry {
    enum outcome_kind { no_change, wrong_entry, new_time };
    outcome_kind outcome = no_change;
    std::int32_t time = 0; // with new_time only
};

programming_time_entry read_programming_time(std::string_view text);

// The whole Options command: asks with the current time as the default, then
// sets the time or shows the error box. The time lasts until the next model
// selection.
void change_programming_time(input_box_host& inputs, message_box_host& boxes,
                             std::int32_t& programming_time);

// The pins of the PC's 9-pin serial connector, one line each, ended by CR LF.
std::string pinout_text();

// The about box, each line ended by CR LF.
std::string about_text();

} // namespace pellandor
