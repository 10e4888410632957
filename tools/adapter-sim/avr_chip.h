// An AVR behind its serial programming pins: RESET and a byte-wide SPI port.
// Time is handed in by the caller, so the chip itself never reads a clock.
#pragma once

#include "chip_image.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace pellandor::adapter_sim {

using sim_time = std::chrono::microseconds; // since the simulation started
using fault_sink = std::function<void(const std::string&)>;

std::string hex_byte(std::uint8_t value); // "0x" and two digits

class avr_chip {
public:
    avr_chip(const chip_model& model, chip_image image, fault_sink fault);

    void set_reset_low(bool low, sim_time now);
    // Shifts one byte in and returns the byte shifted out meanwhile.
    std::uint8_t transfer(std::uint8_t mosi, sim_time now);

    const chip_model& model() const { return model_; }
    const chip_image& image() const { return image_; }
    bool programming() const { return programming_; }

private:
    enum class write_kind { none, flash, eeprom, erase, config };
    struct pending_write {
        write_kind kind = write_kind::none;
        std::size_t first = 0; // the byte a disturbed write leaves wrong
        sim_time until{};
        bool disturbed = false;
    };

    void start_frame(std::uint8_t first, sim_time now);
    void end_frame(sim_time now);
    void refuse_frame();
    void enter_programming();
    bool busy(sim_time now) const;
    void start_write(write_kind kind, std::size_t first, std::uint32_t duration_us, sim_time now);
    void disturb_write(const std::string& cause, sim_time now);
    static const char* write_name(write_kind kind);
    bool fuse_programmed(fuse_bit bit) const;
    bool spi_enabled() const;

    // Instructions, in chip_instructions.cpp.
    std::optional<std::uint8_t> read_value(sim_time now) const;
    void execute(sim_time now);
    void execute_ac(sim_time now);
    void chip_erase(sim_time now);
    void write_lock(sim_time now);
    void write_fuse(std::size_t index, sim_time now);
    void write_flash_page(sim_time now);
    void write_flash_byte(sim_time now);
    void write_eeprom_page(sim_time now);
    void unknown_instruction();
    std::size_t flash_byte_address() const;
    std::size_t eeprom_address() const;
    std::string instruction_text() const;
    // Lock mode 2 or 3 (LB1 programmed) stops writes, mode 3 also reads.
    bool write_protected() const { return (image_.lock & 0x01) == 0; }
    bool read_protected() const { return (image_.lock & 0x03) == 0; }

    const chip_model& model_;
    chip_image image_;
    fault_sink fault_;

    bool reset_low_ = false;
    sim_time reset_since_{};
    bool programming_ = false;
    bool needs_reset_pulse_ = false; // byte-write parts after a chip erase
    bool listening_ = false;         // the current frame reaches the chip
    sim_time frame_start_{};
    std::array<std::uint8_t, 4> in_{};
    std::size_t position_ = 0;
    std::uint8_t shift_ = 0; // the last byte shifted in
    bool answered_ = false;  // the current frame was a read

    std::vector<std::uint8_t> page_buffer_;
    std::vector<std::uint8_t> eeprom_buffer_;
    std::vector<bool> eeprom_loaded_;
    std::uint32_t extended_address_ = 0;
    pending_write write_;
};

} // namespace pellandor::adapter_sim
