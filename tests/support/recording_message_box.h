// A message box for tests: keeps every box shown and answers with a chosen
// result.
#pragma once

#include <string>
#include <vector>

#include "startup/message_box.h"

namespace pellandor::testing {

class recording_message_box : public message_box_host {
public:
    struct shown_box {
        std::string text;
        int kind = 0;
        std::string title;
    };

    std::vector<shown_box> boxes;
    int answer = msgbox_ok;

    int my_msgbox(const std::string& text, int kind, const std::string& title) override {
        boxes.push_back({text, kind, title});
        return answer;
    }
};

} // namespace pellandor::testing
