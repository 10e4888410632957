// Reading and writing the HEX file of a full 128 KB FLASH image (the largest
// common AVR), through a real file as the open and save commands do, and in
// memory to tell the parsing from the file system's share.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "hexfile/hex_reader.h"
#include "hexfile/hex_writer.h"
#include "hexfile/text_file.h"
#include "random_bytes.h"
#include "startup/message_box.h"

namespace {

constexpr std::int32_t flash_size = 128 * 1024;

class silent_message_box : public pellandor::message_box_host {
public:
    int my_msgbox(const std::string&, int, const std::string&) override {
        return pellandor::msgbox_ok;
    }
};

std::vector<std::uint8_t> full_image() {
    return pellandor::bench::random_bytes(flash_size);
}

std::string bench_file(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

// Times one read of the image's file per iteration into a freshly erased
// buffer, as every open makes the image anew.
template <typename reader> void time_reads(benchmark::State& state, reader read) {
    silent_message_box boxes;
    std::vector<std::uint8_t> flash(flash_size);
    for (auto _ : state) {
        std::fill(flash.begin(), flash.end(), 255);
        std::int32_t bytes_loaded = 0;
        benchmark::DoNotOptimize(read(flash, bytes_loaded, boxes));
    }
}

void read_from_memory(benchmark::State& state) {
    const std::string text = pellandor::hex_file_text(full_image(), flash_size);
    time_reads(state, [&](auto& flash, auto& bytes_loaded, auto& boxes) {
        return pellandor::read_hextext(text, flash, flash_size, bytes_loaded, boxes);
    });
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void read_from_file(benchmark::State& state) {
    const std::string path = bench_file("pellandor-bench-read.hex");
    if (pellandor::write_text_file_atomically(path,
                                              pellandor::hex_file_text(full_image(), flash_size))) {
        state.SkipWithError("cannot write the file to read");
        return;
    }
    time_reads(state, [&](auto& flash, auto& bytes_loaded, auto& boxes) {
        return pellandor::read_hexfile(path, flash, flash_size, bytes_loaded, boxes);
    });
    std::filesystem::remove(path);
}

void write_to_memory(benchmark::State& state) {
    const std::vector<std::uint8_t> flash = full_image();
    for (auto _ : state) {
        benchmark::DoNotOptimize(pellandor::hex_file_text(flash, flash_size));
    }
}

void write_to_file(benchmark::State& state) {
    const std::vector<std::uint8_t> flash = full_image();
    const std::string path = bench_file("pellandor-bench-write.hex");
    for (auto _ : state) {
        if (pellandor::write_text_file_atomically(path,
                                                  pellandor::hex_file_text(flash, flash_size))) {
            state.SkipWithError("cannot write the file");
            break;
        }
    }
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(read_from_file)->Unit(benchmark::kMillisecond);
BENCHMARK(read_from_memory)->Unit(benchmark::kMillisecond);
BENCHMARK(write_to_file)->Unit(benchmark::kMillisecond);
BENCHMARK(write_to_memory)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
