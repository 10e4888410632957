// The interpreter's own cost per step, with a host that does nothing: what
// each reply byte costs the program besides the serial line and the window.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/programming_engine.h"

namespace {

using namespace pellandor;

class idle_host : public engine_host {
public:
    void write_byte(std::uint8_t value) override { benchmark::DoNotOptimize(value); }
    void discard_input() override {}
    void set_receive_threshold(int) override {}
    void yield() override {}
    void sleep_ms(std::int32_t) override {}
    void set_status(const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
    void disable() override {}
    void enable() override {}
    void updatedisplay() override {}
    void end_program() override {}
    bool port_ready() const override { return true; }
    std::int32_t port_number() const override { return 1; }
    double clock_seconds() const override { return 0; }
    int my_msgbox(const std::string&, int, const std::string&) override { return msgbox_ok; }
};

instruction_list list_of(const std::vector<std::string>& words) {
    instruction_list list;
    list.items.insert(list.items.end(), words.begin(), words.end());
    return list;
}

// Runs whole operations over a 32 KB FLASH, one reply byte per step.
void run_operation(benchmark::State& state, operation_kind kind, std::uint8_t flash_fill,
                   const std::vector<std::string>& words) {
    selected_model model;
    model.flash_size = 32 * 1024;
    model.eeprom_size = 1024;
    model.page_size = 64;
    model.program_instr = list_of(words);
    model.verify_instr = list_of(words);
    memory_image image;
    image.flash_buffer.assign(static_cast<std::size_t>(model.flash_size), flash_fill);
    image.eeprom_buffer.assign(static_cast<std::size_t>(model.eeprom_size), 0xFF);
    idle_host host;
    programming_engine engine(host, model, image);
    const char reply = '\xFF';
    std::int64_t steps = 0;
    for (auto _ : state) {
        engine.start_operation(kind);
        ++steps;
        while (engine.running()) {
            engine.receive(std::string_view(&reply, 1));
            ++steps;
        }
    }
    state.counters["per_step"] = benchmark::Counter(
        static_cast<double>(steps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void verify_flash(benchmark::State& state) {
    // An erased chip read back as erased: every comparison matches.
    run_operation(state, operation_kind::verify, 0xFF,
                  {"begin", "s-low", "setflashloop", "s20", "s-high", "s-low", "temp=get",
                   "checkflashl", "s28", "s-high", "s-low", "temp=get", "checkflashh", "loop",
                   "end"});
}

void program_flash(benchmark::State& state) {
    // Data in every page, so calcflash keeps the whole FLASH in the loop.
    run_operation(state, operation_kind::program, 0x5A,
                  {"begin",    "calcflash", "setflashloop", "s40",        "s-low",
                   "s-low",    "s-flashl",  "s48",          "s-high",     "s-low",
                   "s-flashh", "ifpage",    "s4c",          "s-highpage", "s-lowpage",
                   "s00",      "w0",        "endifpage",    "loop",       "end"});
}

} // namespace

BENCHMARK(verify_flash)->Unit(benchmark::kMillisecond);
BENCHMARK(program_flash)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
