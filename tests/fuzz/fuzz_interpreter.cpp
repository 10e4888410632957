// Random algorithms on a small random model, driven by random reply bytes:
// no step may crash, touch memory outside the image's buffers, or leave the
// interpreter in a state it cannot leave.
//
// Input: six bytes of model, then the algorithm text up to the first NUL
// (cut into instructions as the device list's are), then the reply bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/programming_engine.h"

namespace {

using namespace pellandor;

class quiet_host : public engine_host {
public:
    bool ended = false;
    bool enabled = true;
    void write_byte(std::uint8_t) override {}
    void discard_input() override {}
    void set_receive_threshold(int) override {}
    void yield() override {}
    void sleep_ms(std::int32_t milliseconds) override {
        if (milliseconds < 0) {
            __builtin_trap();
        }
    }
    void set_status(const std::string&) override {}
    void disable() override { enabled = false; }
    void enable() override { enabled = true; }
    void updatedisplay() override {}
    void end_program() override { ended = true; }
    bool port_ready() const override { return true; }
    std::int32_t port_number() const override { return 1; }
    double clock_seconds() const override { return 0; }
    int my_msgbox(const std::string&, int, const std::string&) override { return msgbox_ok; }
};

// Exactly the size asked for, so that any index past it leaves the allocation.
std::vector<std::uint8_t> buffer_of(std::size_t size, std::uint8_t fill) {
    return std::vector<std::uint8_t>(size, fill);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) {
        return 0;
    }
    selected_model model;
    model.flash_size = data[0] % 80;
    model.eeprom_size = data[1] % 24;
    model.page_size = static_cast<std::int8_t>(data[2]) % 9; // 0 and below included
    model.programming_time = static_cast<std::int8_t>(data[3]);
    model.defaults.default_lock = (data[4] & 1) != 0 ? -1 : data[4];
    const std::uint8_t layout = data[5];

    const std::string_view rest(reinterpret_cast<const char*>(data + 6), size - 6);
    const std::size_t nul = rest.find('\0');
    const std::string_view algorithm = rest.substr(0, nul);
    const std::string_view replies =
        nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);

    const instruction_list list = make_instruction_list(std::string(algorithm));
    model.program_instr = list;
    model.read_instr = list;
    model.erase_instr = list;
    model.blank_instr = list;
    model.verify_instr = list;

    memory_image image;
    // Buffers that need not agree with the model's sizes.
    image.flash_buffer = buffer_of((layout & 3) == 0 ? 3 : model.flash_size, 0xFF);
    image.eeprom_buffer = buffer_of((layout & 12) == 0 ? 0 : model.eeprom_size, 0x00);
    image.lock_byte = (layout & 16) != 0 ? -1 : 0xAB;
    if (!image.flash_buffer.empty() && (layout & 32) != 0) {
        image.flash_buffer.back() = 0x00;
    }

    quiet_host host;
    programming_engine engine(host, model, image);
    constexpr std::size_t max_steps = 4096;
    std::size_t fed = 0;
    for (int op = 0; op < 2 && !host.ended; ++op) {
        engine.start_operation(static_cast<operation_kind>((layout >> (6 + op)) & 1 ? 3 + op : op));
        while (engine.running() && !host.ended && fed < max_steps) {
            const char byte = fed < replies.size() ? replies[fed] : '\0';
            engine.receive(std::string_view(&byte, 1));
            ++fed;
            const std::int32_t ptr = engine.instr_ptr();
            if (ptr < 1 || ptr > engine.instr_count() + 1) {
                __builtin_trap();
            }
        }
        if (!engine.running() && !host.ended && !host.enabled && fed < max_steps) {
            // Idle, yet the window was left busy.
            __builtin_trap();
        }
    }
    return 0;
}
