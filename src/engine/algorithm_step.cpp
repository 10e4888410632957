// The instruction interpreter: one instruction of the running operation per
// call, driven by the adapter's reply bytes.
#include <algorithm>
#include <cstddef>
#include <limits>

#include "engine/adapter_link.h"
#include "engine/config_bytes.h"
#include "engine/programming_engine.h"
#include "startup/hex_text.h"
#include "startup/text_value.h"

namespace pellandor {

namespace {

config_byte slot(const decoded_instruction& ins) {
    return static_cast<config_byte>(ins.operand);
}

std::int32_t held_to_32_bits(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// The highest index below limit whose byte is not erased, -1 when none is.
std::int64_t last_programmed(const std::vector<std::uint8_t>& buffer, std::int64_t limit) {
    const auto end = static_cast<std::size_t>(
        std::clamp<std::int64_t>(limit, 0, static_cast<std::int64_t>(buffer.size())));
    for (std::size_t i = end; i > 0; --i) {
        if (buffer[i - 1] != 0xFF) {
            return static_cast<std::int64_t>(i) - 1;
        }
    }
    return -1;
}

std::string outside(std::int32_t counter, const char* memory) {
    return "the address counter " + decimal_text(std::int64_t{counter}) + " lies outside the " +
           memory + " buffer";
}

constexpr const char* page_size_reason = "the model's page size is not 1 or more";
constexpr const char* negative_wait_reason = "a wait cannot be shorter than 0 milliseconds";

} // namespace

void programming_engine::algorithm_step() {
    if (!started_ || program_ended_) {
        return;
    }
    host_.set_receive_threshold(0);
    if (instr_ptr_ < 1 || instr_ptr_ > instr_.count()) {
        const std::uint32_t serial = start_serial_;
        const std::string mode = operation_mode_;
        complete_operation(mode);
        // A start clicked during the completion's yields owns the mode now.
        if (serial == start_serial_) {
            operation_mode_.clear();
        }
        return;
    }
    // A copy: the list may be replaced while a sender yields.
    const decoded_instruction ins = decoded_[static_cast<std::size_t>(instr_ptr_)];
    in_step_ = true;
    const bool goes_on = run_instruction(ins);
    in_step_ = false;
    if (!goes_on) {
        return;
    }
    // A write the line refused, or a device gone while the step yielded:
    // no reply will come to what the step sent.
    if (!host_.port_ready()) {
        stop_without_port();
        return;
    }
    host_.set_receive_threshold(1);
}

bool programming_engine::run_instruction(const decoded_instruction& ins) {
    switch (ins.op) {
    case opcode::unrecognised:
        end_program_after_unrecognised();
        return false;
    case opcode::config_get:
    case opcode::flashl_get:
    case opcode::flashh_get:
    case opcode::eeprom_get:
    case opcode::temp_get:
        return run_read(ins);
    case opcode::checkblankflashl:
    case opcode::checkblankflashh:
    case opcode::checkblankeeprom:
    case opcode::checkblank_config:
    case opcode::checkflashl:
    case opcode::checkflashh:
    case opcode::checkeeprom:
    case opcode::check_config:
        return run_check(ins);
    case opcode::data_byte:
    case opcode::s_low:
    case opcode::s_high:
    case opcode::s_lowpage:
    case opcode::s_highpage:
    case opcode::s_flashl:
    case opcode::s_flashh:
    case opcode::s_eeprom:
    case opcode::s_config:
        return run_send(ins);
    default:
        return run_flow(ins);
    }
}

bool programming_engine::flash_byte_exists(std::int64_t index) const {
    return index >= 0 && index < static_cast<std::int64_t>(image_.flash_buffer.size());
}

bool programming_engine::eeprom_byte_exists(std::int64_t index) const {
    return index >= 0 && index < static_cast<std::int64_t>(image_.eeprom_buffer.size());
}

void programming_engine::show_progress(const decoded_instruction& ins) {
    const std::int64_t counter = address_counter_;
    const std::int64_t last = loop_end_;
    std::string text;
    switch (ins.op) {
    case opcode::flashl_get:
    case opcode::s_flashl:
    case opcode::checkblankflashl:
    case opcode::checkflashl:
        text = "F:" + decimal_text(2 * counter + 1) + "/" + decimal_text(2 * last + 2);
        break;
    case opcode::flashh_get:
    case opcode::s_flashh:
    case opcode::checkblankflashh:
    case opcode::checkflashh:
        text = "F:" + decimal_text(2 * counter + 2) + "/" + decimal_text(2 * last + 2);
        break;
    case opcode::eeprom_get:
    case opcode::s_eeprom:
    case opcode::checkblankeeprom:
    case opcode::checkeeprom:
        text = "E:" + decimal_text(counter + 1) + "/" + decimal_text(last + 1);
        break;
    case opcode::config_get:
    case opcode::s_config:
    case opcode::checkblank_config:
    case opcode::check_config:
        text = config_progress_text(slot(ins));
        break;
    default:
        return;
    }
    host_.set_status(text);
    host_.yield();
}

bool programming_engine::run_read(const decoded_instruction& ins) {
    const std::int64_t counter = address_counter_;
    std::int64_t index = 0;
    if (ins.op == opcode::flashl_get || ins.op == opcode::flashh_get) {
        index = 2 * counter + (ins.op == opcode::flashh_get ? 1 : 0);
        if (!flash_byte_exists(index)) {
            stop_operation(outside(address_counter_, "FLASH"));
            return false;
        }
    } else if (ins.op == opcode::eeprom_get) {
        index = counter;
        if (!eeprom_byte_exists(index)) {
            stop_operation(outside(address_counter_, "EEPROM"));
            return false;
        }
    }

    if (get_phase_ == 0) {
        show_progress(ins);
        send_get(host_);
        get_phase_ = 1;
        return true;
    }

    const auto value = static_cast<std::uint8_t>(received_byte_);
    const auto at = static_cast<std::size_t>(index);
    switch (ins.op) {
    case opcode::config_get:
        image_config_byte(image_, slot(ins)) = value;
        break;
    case opcode::flashl_get:
        image_.flash_buffer[at] = value;
        break;
    case opcode::flashh_get:
        image_.flash_buffer[at] = value;
        ++address_counter_;
        break;
    case opcode::eeprom_get:
        image_.eeprom_buffer[at] = value;
        ++address_counter_;
        break;
    default:
        temp_value_ = value;
        break;
    }
    get_phase_ = 0;
    ++instr_ptr_;
    return true;
}

bool programming_engine::reference_byte(const decoded_instruction& ins, std::int32_t counter,
                                        std::int32_t& reference) {
    const std::int64_t flash_index =
        2 * std::int64_t{counter} +
        (ins.op == opcode::checkflashh || ins.op == opcode::checkblankflashh ? 1 : 0);
    switch (ins.op) {
    case opcode::checkblankflashl:
    case opcode::checkblankflashh:
    case opcode::checkflashl:
    case opcode::checkflashh:
        if (!flash_byte_exists(flash_index)) {
            stop_operation(outside(counter, "FLASH"));
            return false;
        }
        reference = ins.op == opcode::checkflashl || ins.op == opcode::checkflashh
                        ? image_.flash_buffer[static_cast<std::size_t>(flash_index)]
                        : 0xFF;
        return true;
    case opcode::checkblankeeprom:
    case opcode::checkeeprom:
        if (!eeprom_byte_exists(counter)) {
            stop_operation(outside(counter, "EEPROM"));
            return false;
        }
        reference = ins.op == opcode::checkeeprom
                        ? image_.eeprom_buffer[static_cast<std::size_t>(counter)]
                        : 0xFF;
        return true;
    case opcode::checkblank_config:
        reference = default_config_byte(model_.defaults, slot(ins));
        return true;
    default:
        reference = image_config_byte(image_, slot(ins));
        return true;
    }
}

bool programming_engine::run_check(const decoded_instruction& ins) {
    const std::int32_t counter = address_counter_;
    std::int32_t reference = 0;
    if (!reference_byte(ins, counter, reference)) {
        return false;
    }
    show_progress(ins);
    // The editor stays live during the yield: compare with the image as it is now.
    if (!reference_byte(ins, counter, reference)) {
        return false;
    }
    const bool advances = ins.op == opcode::checkblankflashh ||
                          ins.op == opcode::checkblankeeprom || ins.op == opcode::checkflashh ||
                          ins.op == opcode::checkeeprom;
    if (advances) {
        ++address_counter_;
    }
    ++instr_ptr_;
    if (temp_value_ != reference) {
        std::string location;
        switch (ins.op) {
        case opcode::checkblankflashl:
        case opcode::checkflashl:
            location = "FLASH Word LB " + hex6h(counter);
            break;
        case opcode::checkblankflashh:
        case opcode::checkflashh:
            location = "FLASH Word HB " + hex6h(counter);
            break;
        case opcode::checkblankeeprom:
        case opcode::checkeeprom:
            location = "EEPROM Byte " + hex4h(counter);
            break;
        default:
            location = config_location_text(slot(ins));
            break;
        }
        if (report_.add(location, hex2h(temp_value_), hex2h(reference))) {
            instr_ptr_ = instr_.count();
            if (loop_state_ == loop_state::body) {
                loop_state_ = loop_state::jumped;
            }
        }
    }
    send_step(host_);
    return true;
}

bool programming_engine::byte_to_send(const decoded_instruction& ins, std::int32_t counter,
                                      std::int64_t& value) {
    switch (ins.op) {
    case opcode::data_byte:
        if (ins.operand < 0) {
            stop_operation("the two characters after the s are not a hexadecimal byte");
            return false;
        }
        value = ins.operand;
        return true;
    case opcode::s_low:
        value = split_address(counter).addr_low;
        return true;
    case opcode::s_high:
        value = split_address(counter).addr_mid;
        return true;
    case opcode::s_lowpage:
    case opcode::s_highpage:
        if (counter < 1) {
            stop_operation("the address counter is 0, so there is no page below it");
            return false;
        }
        value = ins.op == opcode::s_lowpage ? split_address(counter - 1).addr_low
                                            : split_address(counter - 1).addr_mid;
        return true;
    case opcode::s_flashl:
    case opcode::s_flashh: {
        const std::int64_t index = 2 * std::int64_t{counter} + (ins.op == opcode::s_flashh ? 1 : 0);
        if (!flash_byte_exists(index)) {
            stop_operation(outside(counter, "FLASH"));
            return false;
        }
        value = image_.flash_buffer[static_cast<std::size_t>(index)];
        return true;
    }
    case opcode::s_eeprom:
        if (!eeprom_byte_exists(counter)) {
            stop_operation(outside(counter, "EEPROM"));
            return false;
        }
        value = image_.eeprom_buffer[static_cast<std::size_t>(counter)];
        return true;
    default:
        value = image_config_byte(image_, slot(ins));
        if (value < 0 || value > 0xFF) {
            stop_operation(std::string("the ") + config_byte_name(slot(ins)) +
                           " holds no byte value");
            return false;
        }
        return true;
    }
}

bool programming_engine::run_send(const decoded_instruction& ins) {
    const std::int32_t counter = address_counter_;
    std::int64_t value = 0;
    if (!byte_to_send(ins, counter, value)) {
        return false;
    }
    show_progress(ins);
    // The editor stays live during the yield: send the byte as it is now.
    if (!byte_to_send(ins, counter, value)) {
        return false;
    }
    send_byte(host_, static_cast<std::uint8_t>(value));
    if (ins.op == opcode::s_flashh || ins.op == opcode::s_eeprom) {
        ++address_counter_;
    }
    ++instr_ptr_;
    return true;
}

bool programming_engine::run_flow(const decoded_instruction& ins) {
    switch (ins.op) {
    case opcode::begin:
        send_begin(host_);
        ++instr_ptr_;
        return true;
    case opcode::end:
        send_end(host_);
        ++instr_ptr_;
        return true;
    case opcode::wprog:
    case opcode::wait: {
        const std::int32_t ms = ins.op == opcode::wprog ? model_.programming_time : ins.operand;
        if (ms < 0) {
            stop_operation(negative_wait_reason);
            return false;
        }
        host_.sleep_ms(ms);
        ++instr_ptr_;
        break;
    }
    case opcode::calcflash: {
        const std::int64_t page = model_.page_size;
        if (page <= 0) {
            stop_operation(page_size_reason);
            return false;
        }
        const std::int64_t last = last_programmed(image_.flash_buffer, model_.flash_size);
        // An erased buffer still covers the first page, whatever its size.
        const std::int64_t word = last < 0 ? 0 : last / 2;
        flash_end_ = held_to_32_bits(word - word % page + page - 1);
        ++instr_ptr_;
        break;
    }
    case opcode::calceeprom:
        eeprom_end_ = held_to_32_bits(last_programmed(image_.eeprom_buffer, model_.eeprom_size));
        ++instr_ptr_;
        break;
    case opcode::setflashloop:
    case opcode::seteepromloop: {
        const std::int32_t last = ins.op == opcode::setflashloop ? flash_end_ : eeprom_end_;
        const bool finished = address_counter_ > last;
        if (finished && ins.skip_target == 0) {
            stop_operation("no loop follows it");
            return false;
        }
        loop_start_ = instr_ptr_;
        loop_end_ = last;
        if (finished) {
            address_counter_ = 0;
            instr_ptr_ = ins.skip_target;
            loop_state_ = loop_state::finished;
        } else {
            ++instr_ptr_;
            loop_state_ = loop_state::body;
            loop_entry_counter_ = address_counter_;
        }
        break;
    }
    case opcode::loop:
        // Only the counter decides whether a loop ends, so a pass that has not
        // moved it, or a finished loop begun again, would run without end.
        if (loop_state_ == loop_state::none || loop_start_ < 1 || loop_start_ > instr_.count()) {
            stop_operation("no loop head has run before it");
            return false;
        }
        if (loop_state_ == loop_state::finished) {
            stop_operation("its loop has finished already");
            return false;
        }
        if (loop_state_ == loop_state::body && address_counter_ == loop_entry_counter_) {
            stop_operation("the loop's body does not advance the address counter");
            return false;
        }
        instr_ptr_ = loop_start_;
        break;
    case opcode::ifpage: {
        if (model_.page_size <= 0) {
            stop_operation(page_size_reason);
            return false;
        }
        const bool boundary = address_counter_ > 0 && address_counter_ % model_.page_size == 0;
        if (!boundary && ins.skip_target == 0) {
            stop_operation("no endifpage follows it");
            return false;
        }
        instr_ptr_ = boundary ? instr_ptr_ + 1 : ins.skip_target;
        break;
    }
    default: // endifpage
        ++instr_ptr_;
        break;
    }
    send_step(host_);
    return true;
}

} // namespace pellandor
