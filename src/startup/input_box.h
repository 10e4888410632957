// The program's own input box as the core sees it: every one-line entry of
// the system passes through it. The forms implement it with the real modal
// box; tests with a scripted fake.
#pragma once

#include <string>

namespace pellandor {

class input_box_host {
public:
    virtual ~input_box_host() = default;
    // Shows the prompt above a field holding the default and gives the text
    // entered, "" after Cancel; an empty title means the program's title.
    // Callers take "" as no change and check any other text themselves.
    virtual std::string my_inputbox(const std::string& prompt, const std::string& title,
                                    const std::string& default_text) = 0;
};

} // namespace pellandor
