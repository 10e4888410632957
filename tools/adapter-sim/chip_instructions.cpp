// The serial programming instructions a chip in programming mode carries out.
#include "avr_chip.h"

#include <algorithm>

namespace pellandor::adapter_sim {

namespace {

constexpr std::array<std::uint8_t, 4> calibration_values{0x9B, 0xA4, 0xAE, 0xB7};

std::size_t fuse_index(std::uint8_t second) {
    switch (second) {
    case 0xA0:
        return 0;
    case 0xA8:
        return 1;
    case 0xA4:
        return 2;
    default:
        return 3;
    }
}

} // namespace

std::size_t avr_chip::flash_byte_address() const {
    const std::uint32_t word = (extended_address_ << 16) | (std::uint32_t{in_[1]} << 8) | in_[2];
    return std::size_t{word & (model_.flash_words() - 1)} * 2 + ((in_[0] & 0x08) != 0 ? 1 : 0);
}

std::size_t avr_chip::eeprom_address() const {
    return ((std::size_t{in_[1]} << 8) | in_[2]) & (model_.eeprom_bytes - 1);
}

// The byte a read instruction returns in place of the echo of its third byte.
// A chip in lock mode 3 keeps its memories to itself and answers with that
// echo, which is the low address byte.
std::optional<std::uint8_t> avr_chip::read_value(sim_time now) const {
    if (!programming_) {
        return std::nullopt;
    }
    const auto& fuses = image_.fuses;
    switch (in_[0]) {
    case 0x20:
    case 0x28:
        return read_protected() ? in_[2] : image_.flash[flash_byte_address()];
    case 0xA0:
        return read_protected() ? in_[2] : image_.eeprom[eeprom_address()];
    case 0x30:
        if (!model_.paged() && read_protected()) {
            return in_[2];
        }
        return (in_[2] & 0x03) < 3 ? model_.signature[in_[2] & 0x03] : 0xFF;
    case 0x38:
        if (model_.calibration_bytes == 0) {
            return std::nullopt;
        }
        return calibration_values[in_[2] & (model_.calibration_bytes - 1)];
    case 0x50:
        if (model_.paged() && in_[1] == 0x00) {
            return fuses[0];
        }
        if (model_.paged() && in_[1] == 0x08 && model_.fuse_masks[2] != 0) {
            return fuses[2];
        }
        return std::nullopt;
    case 0x58:
        if (model_.paged() && in_[1] == 0x00) {
            return image_.lock;
        }
        if (model_.paged() && in_[1] == 0x08) {
            return fuses[1];
        }
        return std::nullopt;
    case 0xF0:
        if (!model_.has_poll) {
            return std::nullopt;
        }
        return busy(now) ? 0x01 : 0x00;
    default:
        return std::nullopt;
    }
}

void avr_chip::execute(sim_time now) {
    if (answered_) {
        return;
    }
    const bool paged = model_.paged();
    switch (in_[0]) {
    case 0xAC:
        execute_ac(now);
        return;
    case 0x40:
    case 0x48:
        if (!paged) {
            write_flash_byte(now);
            return;
        }
        page_buffer_[std::size_t{in_[2] & (model_.page_words - 1)} * 2 + (in_[0] == 0x48 ? 1 : 0)] =
            in_[3];
        return;
    case 0x4C:
        if (paged) {
            write_flash_page(now);
            return;
        }
        break;
    case 0x4D:
        if (model_.has_extended_address) {
            extended_address_ = in_[2];
            return;
        }
        break;
    case 0xC0:
        if (!write_protected()) {
            image_.eeprom[eeprom_address()] = in_[3];
            start_write(write_kind::eeprom, eeprom_address(), model_.eeprom_write_us, now);
        }
        return;
    case 0xC1:
        if (model_.eeprom_page_bytes != 0) {
            const std::size_t offset = in_[2] & (model_.eeprom_page_bytes - 1);
            eeprom_buffer_[offset] = in_[3];
            eeprom_loaded_[offset] = true;
            return;
        }
        break;
    case 0xC2:
        if (model_.eeprom_page_bytes != 0) {
            write_eeprom_page(now);
            return;
        }
        break;
    default:
        break;
    }
    unknown_instruction();
}

void avr_chip::execute_ac(sim_time now) {
    const std::uint8_t second = in_[1];
    if (second == 0x53) {
        return;
    }
    if ((second & 0xE0) == 0x80) {
        chip_erase(now);
    } else if ((second & 0xE0) == 0xE0) {
        write_lock(now);
    } else if (const auto index = fuse_index(second);
               model_.paged() && index < 3 && model_.fuse_masks[index] != 0) {
        write_fuse(index, now);
    } else {
        unknown_instruction();
    }
}

void avr_chip::chip_erase(sim_time now) {
    std::fill(image_.flash.begin(), image_.flash.end(), 0xFF);
    if (!fuse_programmed(model_.eesave)) {
        std::fill(image_.eeprom.begin(), image_.eeprom.end(), 0xFF);
    }
    image_.lock = 0xFF;
    start_write(write_kind::erase, 0, model_.erase_us, now);
    if (!model_.paged()) {
        programming_ = false;
        needs_reset_pulse_ = true;
    }
}

// Lock bits only ever go from unprogrammed to programmed; the chip erase is
// the one way back.
void avr_chip::write_lock(sim_time now) {
    const std::uint8_t data =
        model_.paged() ? in_[3] : static_cast<std::uint8_t>(0xFC | ((in_[1] >> 1) & 0x03));
    image_.lock = with_unused_bits_set(image_.lock & data, model_.lock_mask);
    start_write(write_kind::config, 0, model_.fuse_write_us, now);
}

// SPIEN keeps its state: serial programming cannot switch itself off.
void avr_chip::write_fuse(std::size_t index, sim_time now) {
    if (write_protected()) {
        return;
    }
    auto value = with_unused_bits_set(in_[3], model_.fuse_masks[index]);
    const auto spien = model_.spien;
    if (static_cast<std::size_t>(spien.byte) == index + 1) {
        value =
            static_cast<std::uint8_t>((value & ~spien.mask) | (image_.fuses[index] & spien.mask));
    }
    image_.fuses[index] = value;
    start_write(write_kind::config, 0, model_.fuse_write_us, now);
}

// Programming only clears bits: what was 0 stays 0 until the next chip erase.
void avr_chip::write_flash_page(sim_time now) {
    const std::size_t page_bytes = page_buffer_.size();
    const std::size_t first = flash_byte_address() / page_bytes * page_bytes;
    if (!write_protected()) {
        for (std::size_t i = 0; i < page_bytes; ++i) {
            image_.flash[first + i] &= page_buffer_[i];
        }
        start_write(write_kind::flash, first, model_.flash_write_us, now);
    }
    std::fill(page_buffer_.begin(), page_buffer_.end(), 0xFF);
}

void avr_chip::write_flash_byte(sim_time now) {
    if (write_protected()) {
        return;
    }
    const std::size_t address = flash_byte_address();
    image_.flash[address] &= in_[3];
    start_write(write_kind::flash, address, model_.flash_write_us, now);
}

// Only the bytes loaded since the last page write change.
void avr_chip::write_eeprom_page(sim_time now) {
    const std::size_t page_bytes = eeprom_buffer_.size();
    const std::size_t first = eeprom_address() / page_bytes * page_bytes;
    if (!write_protected()) {
        for (std::size_t i = 0; i < page_bytes; ++i) {
            if (eeprom_loaded_[i]) {
                image_.eeprom[first + i] = eeprom_buffer_[i];
            }
        }
        start_write(write_kind::eeprom, first, model_.eeprom_write_us, now);
    }
    std::fill(eeprom_buffer_.begin(), eeprom_buffer_.end(), 0xFF);
    std::fill(eeprom_loaded_.begin(), eeprom_loaded_.end(), false);
}

void avr_chip::unknown_instruction() {
    fault_("unknown instruction " + instruction_text());
}

} // namespace pellandor::adapter_sim
