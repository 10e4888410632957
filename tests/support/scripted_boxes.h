// Input boxes and file dialogs for tests: each keeps what it was asked and
// answers from a script, one answer per call ("" once the script runs out).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "mainwindow/file_dialog_host.h"
#include "startup/input_box.h"

namespace pellandor::testing {

class scripted_input_box : public input_box_host {
public:
    struct asked {
        std::string prompt;
        std::string title;
        std::string default_text;
    };
    std::vector<asked> asks;
    std::deque<std::string> answers;

    std::string my_inputbox(const std::string& prompt, const std::string& title,
                            const std::string& default_text) override {
        asks.push_back({prompt, title, default_text});
        if (answers.empty()) {
            return {};
        }
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class scripted_file_dialogs : public file_dialog_host {
public:
    std::vector<std::string> open_folders;
    std::vector<std::string> save_folders;
    std::deque<std::string> answers;

    std::string show_open(const std::string& folder) override {
        open_folders.push_back(folder);
        return next();
    }
    std::string show_save(const std::string& folder) override {
        save_folders.push_back(folder);
        return next();
    }

private:
    std::string next() {
        if (answers.empty()) {
            return {};
        }
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace pellandor::testing
