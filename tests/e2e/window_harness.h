// The main window as a user meets it, for the end-to-end tests and the
// benchmarks: the shipped device list, the real serial control and the
// program's own message and input boxes, in a configuration folder of its own
// whose sixteen COM entries lead nowhere until a test links a device to one.
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "mainwindow/main_window.h"
#include "mainwindow/program_state.h"
#include "startup/own_boxes_form.h"
#include "support/memory_settings_backend.h"
#include "support/scripted_boxes.h"
#include "support/temporary_config_folder.h"

namespace pellandor::e2e {

class window_harness {
public:
    window_harness();
    ~window_harness();
    window_harness(const window_harness&) = delete;
    window_harness& operator=(const window_harness&) = delete;

    // A new window, the model and port stored as a user left them, after its
    // start sequence.
    Form1& load(int model_index, int port_number);
    Form1& window() { return *form_; }
    // The window goes away, as at the program's end.
    void unload() { form_.reset(); }

    testing::temporary_config_folder config;
    testing::memory_settings_backend backend;
    program_state state;
    // The open and save dialogs, answered from a script.
    testing::scripted_file_dialogs files;

private:
    settings_store settings_{backend};
    own_boxes boxes_{state.theme};
    std::unique_ptr<Form1> form_;
};

// Runs the event loop, as the program's main loop does, until done() holds
// (looked at every poll_ms); false when timeout_ms passed first. For the
// benchmarks; a test waits with testing::wait_while_moving.
bool run_until(const std::function<bool()>& done, int timeout_ms, int poll_ms = 2);

// The window is idle again: no operation runs and its buttons are live.
bool idle(Form1& window);

// What moves while an operation runs: its next step and its status line.
std::string progress(Form1& window);

} // namespace pellandor::e2e
