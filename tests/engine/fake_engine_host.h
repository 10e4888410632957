// An engine host that records everything the engine does to the world, in
// order, with a clock the test sets and message boxes it answers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/engine_host.h"
#include "startup/message_box.h"
#include "support/recording_message_box.h"

namespace pellandor::testing {

using recorded_box = recording_message_box::shown_box;

class fake_engine_host : public engine_host {
public:
    // Everything in order: "write CB", "yield", "status F:1/512", "threshold 0",
    // "sleep 5", "disable", "enable", "updatedisplay", "box", "end_program".
    std::vector<std::string> events;
    std::vector<std::uint8_t> written;
    std::vector<std::string> statuses;
    std::vector<recorded_box> boxes;
    std::vector<std::int32_t> sleeps;
    std::vector<int> thresholds;
    int yields = 0;
    int enables = 0;
    int disables = 0;
    int redraws = 0;
    bool ended = false;

    bool open = true;
    std::int32_t port = 1;
    double now = 0;
    int box_answer = msgbox_ok;
    // Called at each byte written, redraw and yield, to look at (or act on)
    // the engine mid-step.
    std::function<void(std::uint8_t)> on_write;
    std::function<void()> on_updatedisplay;
    std::function<void()> on_yield;
    // The main window's enable yields too; a click can land in it.
    std::function<void()> on_enable;

    void write_byte(std::uint8_t value) override {
        static const char digits[] = "0123456789ABCDEF";
        events.push_back(std::string("write ") + digits[value >> 4] + digits[value & 15]);
        written.push_back(value);
        if (on_write) {
            on_write(value);
        }
    }
    void discard_input() override { events.emplace_back("discard"); }
    void set_receive_threshold(int threshold) override {
        events.push_back("threshold " + std::to_string(threshold));
        thresholds.push_back(threshold);
    }
    void yield() override {
        events.emplace_back("yield");
        ++yields;
        if (on_yield) {
            on_yield();
        }
    }
    void sleep_ms(std::int32_t milliseconds) override {
        events.push_back("sleep " + std::to_string(milliseconds));
        sleeps.push_back(milliseconds);
    }
    void set_status(const std::string& text) override {
        events.push_back("status " + text);
        statuses.push_back(text);
    }
    void disable() override {
        events.emplace_back("disable");
        ++disables;
    }
    void enable() override {
        events.emplace_back("enable");
        ++enables;
        if (on_enable) {
            on_enable();
        }
    }
    void updatedisplay() override {
        events.emplace_back("updatedisplay");
        ++redraws;
        if (on_updatedisplay) {
            on_updatedisplay();
        }
    }
    void end_program() override {
        events.emplace_back("end_program");
        ended = true;
    }
    bool port_ready() const override { return open; }
    std::int32_t port_number() const override { return port; }
    double clock_seconds() const override { return now; }
    int my_msgbox(const std::string& text, int kind, const std::string& title) override {
        events.emplace_back("box");
        boxes.push_back({text, kind, title});
        return box_answer;
    }

    void clear() {
        events.clear();
        written.clear();
        statuses.clear();
        boxes.clear();
        sleeps.clear();
        thresholds.clear();
        yields = enables = disables = redraws = 0;
    }
};

} // namespace pellandor::testing
