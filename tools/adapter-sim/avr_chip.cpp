#include "avr_chip.h"

#include "startup/hex_text.h"

#include <algorithm>
#include <utility>

namespace pellandor::adapter_sim {

namespace {

constexpr sim_time reset_settle{20000};

} // namespace

std::string hex_byte(std::uint8_t value) {
    return "0x" + hex2(value);
}

avr_chip::avr_chip(const chip_model& model, chip_image image, fault_sink fault)
    : model_(model), image_(std::move(image)), fault_(std::move(fault)),
      page_buffer_(std::size_t{model.page_words} * 2, 0xFF),
      eeprom_buffer_(model.eeprom_page_bytes, 0xFF),
      eeprom_loaded_(model.eeprom_page_bytes, false) {}

void avr_chip::set_reset_low(bool low, sim_time now) {
    if (low == reset_low_) {
        return;
    }
    if (low) {
        reset_low_ = true;
        reset_since_ = now;
        position_ = 0;
        shift_ = 0;
        return;
    }
    if (busy(now)) {
        disturb_write("RESET released", now);
    }
    if (position_ != 0) {
        fault_("RESET released after " + std::to_string(position_) + " of 4 instruction bytes");
    }
    reset_low_ = false;
    programming_ = false;
    needs_reset_pulse_ = false;
}

std::uint8_t avr_chip::transfer(std::uint8_t mosi, sim_time now) {
    if (!reset_low_) {
        fault_("byte " + hex_byte(mosi) + " shifted while RESET is released");
        return 0xFF;
    }
    if (position_ == 0) {
        start_frame(mosi, now);
    }
    std::uint8_t out = shift_;
    if (position_ == 3) {
        const auto value = read_value(now);
        answered_ = value.has_value();
        out = value.value_or(out);
    }
    in_[position_] = mosi;
    shift_ = mosi;
    if (position_ < 3) {
        ++position_;
    } else {
        position_ = 0;
        end_frame(now);
    }
    return listening_ ? out : 0xFF;
}

void avr_chip::end_frame(sim_time now) {
    if (!listening_) {
        refuse_frame();
    } else if (programming_) {
        execute(now);
    } else if (in_[0] == 0xAC && in_[1] == 0x53) {
        enter_programming();
    } else {
        fault_("instruction " + instruction_text() + " ignored before programming enable");
    }
}

void avr_chip::start_frame(std::uint8_t first, sim_time now) {
    frame_start_ = now;
    listening_ = spi_enabled() && !needs_reset_pulse_ && now - reset_since_ >= reset_settle;
    if (busy(now) && !(first == 0xF0 && model_.has_poll)) {
        disturb_write("instruction " + hex_byte(first) + " started", now);
    }
}

void avr_chip::refuse_frame() {
    std::string why;
    if (!spi_enabled()) {
        why = "serial programming is disabled (SPIEN unprogrammed)";
    } else if (needs_reset_pulse_) {
        why = "RESET was not pulsed after the chip erase";
    } else {
        why = "RESET held low for only " + std::to_string((frame_start_ - reset_since_).count()) +
              " us of the 20000 us needed";
    }
    const bool enable = in_[0] == 0xAC && in_[1] == 0x53;
    fault_((enable ? std::string("programming enable refused: ")
                   : "instruction " + instruction_text() + " ignored: ") +
           why);
}

void avr_chip::enter_programming() {
    programming_ = true;
    std::fill(page_buffer_.begin(), page_buffer_.end(), 0xFF);
    std::fill(eeprom_buffer_.begin(), eeprom_buffer_.end(), 0xFF);
    std::fill(eeprom_loaded_.begin(), eeprom_loaded_.end(), false);
    extended_address_ = 0;
}

bool avr_chip::fuse_programmed(fuse_bit bit) const {
    return bit.byte != fuse_byte::none &&
           (image_.fuses[static_cast<std::size_t>(bit.byte) - 1] & bit.mask) == 0;
}

// Parts without fuse access over the serial interface always have it enabled.
bool avr_chip::spi_enabled() const {
    return model_.spien.byte == fuse_byte::none || fuse_programmed(model_.spien);
}

bool avr_chip::busy(sim_time now) const {
    return write_.kind != write_kind::none && now < write_.until;
}

void avr_chip::start_write(write_kind kind, std::size_t first, std::uint32_t duration_us,
                           sim_time now) {
    write_ = {kind, first, now + sim_time{duration_us}, false};
}

// Touching the chip before a self-timed write has finished can spoil it; the
// spoilt byte makes any later verify notice.
void avr_chip::disturb_write(const std::string& cause, sim_time now) {
    fault_(cause + " during " + write_name(write_.kind) + ", " +
           std::to_string((write_.until - now).count()) + " us before it completes");
    if (write_.disturbed) {
        return;
    }
    write_.disturbed = true;
    switch (write_.kind) {
    case write_kind::flash:
        image_.flash[write_.first] = static_cast<std::uint8_t>(~image_.flash[write_.first]);
        break;
    case write_kind::eeprom:
        image_.eeprom[write_.first] = static_cast<std::uint8_t>(~image_.eeprom[write_.first]);
        break;
    case write_kind::erase:
        image_.flash[0] = 0x00;
        break;
    case write_kind::config:
    case write_kind::none:
        break;
    }
}

const char* avr_chip::write_name(write_kind kind) {
    switch (kind) {
    case write_kind::flash:
        return "a flash write";
    case write_kind::eeprom:
        return "an EEPROM write";
    case write_kind::erase:
        return "a chip erase";
    case write_kind::config:
        return "a fuse or lock write";
    case write_kind::none:
        break;
    }
    return "a write";
}

std::string avr_chip::instruction_text() const {
    return hex2(in_[0]) + ' ' + hex2(in_[1]) + ' ' + hex2(in_[2]) + ' ' + hex2(in_[3]);
}

} // namespace pellandor::adapter_sim
