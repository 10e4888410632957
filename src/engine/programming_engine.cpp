// The five operations' start and completion around the interpreter, the
// receive handler, and the two ways a step can end a run early.
#include "engine/programming_engine.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/adapter_link.h"
#include "startup/app_info.h"
#include "startup/message_box.h"
#include "startup/text_value.h"

namespace pellandor {

namespace {

struct operation_texts {
    const char* name;
    const char* begin;
    const char* result;
    const char* failed_result; // Blank Check and Verify only
    const char* report_heading;
};

const operation_texts& texts_of(operation_kind kind) {
    static const operation_texts program{"program", "Begin program all.", "Chip programmed. ",
                                         nullptr, nullptr};
    static const operation_texts read{"read", "Begin read all.", "Chip read. ", nullptr, nullptr};
    static const operation_texts erase{"erase", "Begin erase all.", "Chip erased. ", nullptr,
                                       nullptr};
    static const operation_texts blank{"blank", "Begin blank check.", "Chip is blank. ",
                                       "Chip is not blank. ", "Chip is not blank:"};
    static const operation_texts verify{"verify", "Begin verify.", "Chip verified. ",
                                        "Chip verify failed. ", "Chip verify failed:"};
    switch (kind) {
    case operation_kind::program:
        return program;
    case operation_kind::read:
        return read;
    case operation_kind::erase:
        return erase;
    case operation_kind::blank:
        return blank;
    default:
        return verify;
    }
}

// Whole seconds, ".", and the hundredths cut to two digits; never minutes.
// The clock counts whole nanoseconds, so the difference of two readings is
// first brought back to its nanoseconds: a reading of exactly 1.29 s must not
// become 1.28 through a binary fraction just below it.
std::string elapsed_text(double seconds) {
    if (!(seconds >= 0)) {
        seconds = 0;
    }
    seconds = std::min(seconds, 1e9);
    const std::int64_t hundredths = std::llround(seconds * 1e9) / 10'000'000;
    return decimal_text(hundredths / 100) + (hundredths % 100 < 10 ? ".0" : ".") +
           decimal_text(hundredths % 100);
}

std::int32_t one_less(std::int32_t value) {
    return value == std::numeric_limits<std::int32_t>::min() ? value : value - 1;
}

} // namespace

programming_engine::programming_engine(engine_host& host, const selected_model& model,
                                       memory_image& image)
    : host_(host), model_(model), image_(image) {}

const instruction_list& programming_engine::instructions_for(operation_kind kind) const {
    switch (kind) {
    case operation_kind::program:
        return model_.program_instr;
    case operation_kind::read:
        return model_.read_instr;
    case operation_kind::erase:
        return model_.erase_instr;
    case operation_kind::blank:
        return model_.blank_instr;
    default:
        return model_.verify_instr;
    }
}

void programming_engine::start_operation(operation_kind kind) {
    if (!host_.port_ready()) {
        host_.set_status("Serial port " + decimal_text(std::int64_t{host_.port_number()}) +
                         " error!");
        return;
    }
    const instruction_list& list = instructions_for(kind);
    if (list.count() < 1) {
        // No command would ever be sent, so no reply could end the operation.
        host_.set_status("Operation stopped.");
        host_.my_msgbox(std::string("The algorithm of this operation holds no instruction.") +
                            crlf + "The operation is not started.",
                        msgbox_error, app_title);
        return;
    }
    const operation_texts& texts = texts_of(kind);
    ++start_serial_;
    started_ = true;
    instr_ = list;
    decoded_ = decode_instructions(instr_);
    flash_end_ = one_less(round_half_even(model_.flash_size / 2.0));
    address_counter_ = 0;
    loop_state_ = loop_state::none;
    eeprom_end_ = one_less(model_.eeprom_size);
    op_time_ = host_.clock_seconds();
    if (kind == operation_kind::blank || kind == operation_kind::verify) {
        report_.start();
    }
    host_.disable();
    host_.set_status(texts.begin);
    host_.yield();
    if (!host_.port_ready()) {
        // The port went away while the begin text showed; nothing was sent
        // and the buffers stay as they were.
        stop_without_port();
        return;
    }
    if (kind == operation_kind::read) {
        reset_memory_image(image_, model_);
        host_.updatedisplay();
        host_.yield();
    }
    instr_ptr_ = 1;
    // Cleared here rather than whenever instruction 1 runs: a read placed
    // first would otherwise ask for its value again at every reply.
    get_phase_ = 0;
    stopped_ = false;
    // A byte that came unasked (line noise, an adapter just plugged in, a
    // late reply) would be taken for the reply to the first command and put
    // every later reply one command off.
    host_.discard_input();
    const std::uint32_t serial = start_serial_;
    algorithm_step();
    if (!stopped_ && !program_ended_ && serial == start_serial_) {
        operation_mode_ = texts.name;
    }
}

void programming_engine::receive(std::string_view input) {
    for (const char c : input) {
        if (program_ended_) {
            return;
        }
        received_byte_ = static_cast<unsigned char>(c);
        algorithm_step();
    }
}

void programming_engine::complete_operation(const std::string& mode) {
    operation_kind kind = operation_kind::program;
    if (mode == "read") {
        kind = operation_kind::read;
    } else if (mode == "erase") {
        kind = operation_kind::erase;
    } else if (mode == "blank") {
        kind = operation_kind::blank;
    } else if (mode == "verify") {
        kind = operation_kind::verify;
    } else if (mode != "program") {
        return;
    }
    const operation_texts& texts = texts_of(kind);
    // The window is usable from enable on, so a new start may empty the report
    // and note its own start time before this result is shown.
    const double started_at = op_time_;
    const bool failed = texts.failed_result != nullptr && report_.error_count != 0;
    const std::string report = failed ? report_.error_report : std::string();
    host_.enable();
    const double elapsed = host_.clock_seconds() - started_at;
    host_.set_status((failed ? texts.failed_result : texts.result) + elapsed_text(elapsed) +
                     " seconds elapsed...");
    host_.yield();
    if (kind == operation_kind::read) {
        host_.updatedisplay();
        host_.yield();
    }
    if (failed) {
        host_.my_msgbox(std::string(texts.report_heading) + crlf + crlf + report, msgbox_error, "");
        host_.yield();
    }
}

void programming_engine::end_run() {
    operation_mode_.clear();
    instr_ptr_ = instr_.count() + 1;
    get_phase_ = 0;
    stopped_ = true;
}

void programming_engine::stop_operation(std::string_view reason) {
    const std::string text = "The symbolic instruction '" +
                             instr_.items[static_cast<std::size_t>(instr_ptr_)] +
                             "' cannot be carried out: " + std::string(reason) + "." + crlf +
                             "The operation is stopped.";
    // Idle before anything yields, so that no byte can run on into the list.
    end_run();
    host_.set_status("Operation stopped.");
    release_chip();
    host_.my_msgbox(text, msgbox_error, app_title);
    host_.enable();
}

void programming_engine::stop_without_port() {
    end_run();
    // Between steps the receive event is on; off, as after any operation,
    // so that a port opened again drives nothing until the next start.
    host_.set_receive_threshold(0);
    host_.enable();
}

void programming_engine::port_lost() {
    // A step that is running sees the closed port when it ends.
    if (running() && !in_step_) {
        stop_without_port();
    }
}

// The chip may hold part of an instruction with RESET held low; the next
// operation's begin would not reset it, and every instruction after would be
// shifted. The end command releases it. Its reply is sent after the step's
// receive event was turned off, and the next start discards it.
void programming_engine::release_chip() {
    if (host_.port_ready()) {
        send_end(host_);
    }
}

void programming_engine::end_program_after_unrecognised() {
    const std::string text = "Unrecognized symbolic instruction '" +
                             instr_.items[static_cast<std::size_t>(instr_ptr_)] + "'." + crlf +
                             "The program must end.";
    release_chip();
    host_.my_msgbox(text, msgbox_error, app_title);
    program_ended_ = true;
    host_.end_program();
}

} // namespace pellandor
