// Drives a simulated chip instruction by instruction on a clock of its own.
#pragma once

#include "avr_chip.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pellandor::adapter_sim {

using frame = std::array<std::uint8_t, 4>;

struct chip_session {
    explicit chip_session(std::string_view name)
        : chip_session(name, factory_image(*find_chip_model(name))) {}
    chip_session(std::string_view name, chip_image image)
        : chip(*find_chip_model(name), std::move(image),
               [this](const std::string& text) { faults.push_back(text); }) {}

    // Each byte takes 50 us, about what a fast line needs for a command.
    frame send(frame in) {
        frame out{};
        for (std::size_t i = 0; i < 4; ++i) {
            now += sim_time{50};
            out[i] = chip.transfer(in[i], now);
        }
        return out;
    }
    std::uint8_t read(frame in) { return send(in)[3]; }
    // A write instruction and the wait it needs.
    void write(frame in, std::int64_t us) {
        send(in);
        wait_us(us);
    }
    void wait_us(std::int64_t us) { now += sim_time{us}; }
    void reset_low(bool low) { chip.set_reset_low(low, now); }
    // RESET low, the settling time, Programming Enable.
    void enter() {
        reset_low(true);
        wait_us(20000);
        send({0xAC, 0x53, 0x00, 0x00});
    }
    // A page of the flash from its first word, loaded and written, then waited for.
    void write_page(std::uint32_t first_word, const std::vector<std::uint8_t>& bytes) {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto word = static_cast<std::uint8_t>(i / 2);
            send({static_cast<std::uint8_t>(i % 2 == 0 ? 0x40 : 0x48), 0x00, word, bytes[i]});
        }
        send({0x4C, static_cast<std::uint8_t>(first_word >> 8),
              static_cast<std::uint8_t>(first_word), 0x00});
        wait_us(4500);
    }
    std::uint8_t flash(std::size_t byte_address) const { return chip.image().flash[byte_address]; }

    std::vector<std::string> faults;
    avr_chip chip;
    sim_time now{0};
};

} // namespace pellandor::adapter_sim
