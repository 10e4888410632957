// The main window as the engine's host: the serial control, the status line,
// the message loop, and the two port commands.
#include <QCoreApplication>
#include <thread>

#include "mainwindow/main_window.h"
#include "mainwindow/paced_label_widget.h"
#include "mainwindow/small_boxes.h"
#include "startup/app_info.h"
#include "startup/controls_widget.h"
#include "startup/text_value.h"

namespace pellandor {

void Form1::write_byte(std::uint8_t value) {
    if (!MSComm1.output(value) && ports_.port_ready()) {
        ports_.port_failed();
    }
}

void Form1::discard_input() {
    MSComm1.discard_input();
}

void Form1::set_receive_threshold(int threshold) {
    MSComm1.set_rthreshold(threshold);
}

void Form1::yield() {
    yield_();
}

void Form1::sleep_ms(std::int32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void Form1::set_status(const std::string& text) {
    status_line_->set_text(to_qstring(text));
}

void Form1::end_program() {
    close();
    QCoreApplication::exit(0);
}

bool Form1::port_ready() const {
    return ports_.port_ready();
}

std::int32_t Form1::port_number() const {
    return ports_.port_number();
}

int Form1::my_msgbox(const std::string& text, int kind, const std::string& title) {
    // A step that was already running when the window closed shows nothing
    // more; it answers as the rightmost button would.
    if (closed_) {
        return kind == msgbox_yes_no ? msgbox_no : msgbox_ok;
    }
    return boxes_.my_msgbox(text, kind, title);
}

void Form1::MSComm1_OnComm() {
    if (closed_) {
        return;
    }
    const std::string input = MSComm1.input();
    if (!input.empty()) {
        engine_.receive(input);
    }
}

void Form1::MSComm1_LineGone() {
    if (closed_) {
        return;
    }
    ports_.port_failed();
    engine_.port_lost();
}

void Form1::menuport_Click() {
    const std::string entry = inputs_.my_inputbox(ports_.port_prompt(), app_title,
                                                  decimal_text(std::int64_t{ports_.port_number()}));
    if (entry.empty()) {
        return;
    }
    if (const auto number = parse_port_entry(entry)) {
        ports_.change_port_number(*number);
    } else {
        my_msgbox(wrong_entry_text, msgbox_error, app_title);
    }
}

void Form1::menubaud_Click() {
    const std::string entry = inputs_.my_inputbox(baud_prompt, app_title, ports_.baud_rate());
    if (entry.empty()) {
        return;
    }
    if (const auto baud_rate = parse_baud_entry(entry)) {
        ports_.change_baud_rate(*baud_rate);
    } else {
        my_msgbox(wrong_entry_text, msgbox_error, app_title);
    }
}

} // namespace pellandor
