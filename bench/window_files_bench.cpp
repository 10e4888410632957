// Opening and saving the HEX file of a full 128 KB FLASH image from the main
// window, as File > Open HEX File and File > Save Buffer As do it: busy state,
// the image made anew, the read, and the redraw of both grids included.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <random>

#include "devices/device_list.h"
#include "hexfile/hex_writer.h"
#include "hexfile/text_file.h"
#include "mainwindow/main_window.h"
#include "startup/controls_widget.h"
#include "support/memory_settings_backend.h"
#include "support/recording_message_box.h"
#include "support/scripted_boxes.h"
#include "support/temporary_config_folder.h"

namespace {

using namespace pellandor;

constexpr std::int32_t flash_size = 128 * 1024;

// One model of 128 KB FLASH; every COM port names nothing, so the start
// probes nothing real.
struct window_bench {
    testing::temporary_config_folder config;
    testing::memory_settings_backend backend;
    settings_store settings{backend};
    testing::recording_message_box boxes;
    testing::scripted_input_box inputs;
    testing::scripted_file_dialogs files;
    program_state state;
    std::unique_ptr<Form1> window;
    QTemporaryDir folder;

    window_bench() {
        state.app_path = from_qstring(folder.path()) + "/";
        state.devices = parse_device_list(
            "model: Large\r\nflash: 131072\r\neeprom: 4096\r\n"
            "configdefault: FF-1E-97-05-62-99-FF\r\nprogtime: 5\r\npagesize: 128\r\n");
        backend.numbers["Serial Port Number"] = 1;
        window = std::make_unique<Form1>(state, settings, boxes, inputs, files);
        window->Form_Load();
        boxes.answer = msgbox_yes;
    }
    std::string path(const char* name) const {
        return from_qstring(folder.filePath(QString::fromLatin1(name)));
    }
};

std::vector<std::uint8_t> full_image() {
    std::mt19937 random(1);
    std::vector<std::uint8_t> flash(flash_size);
    for (auto& byte : flash) {
        byte = static_cast<std::uint8_t>(random());
    }
    return flash;
}

void open_hex_file(benchmark::State& state) {
    window_bench bench;
    const std::string file = bench.path("image.hex");
    write_text_file_atomically(file, hex_file_text(full_image(), flash_size));
    for (auto _ : state) {
        bench.files.answers = {file};
        bench.window->menuopen_Click();
    }
    if (bench.window->label_status->text() !=
        "Operation completed. Total 131072 (128K) program bytes loaded.") {
        state.SkipWithError("the file was not loaded");
    }
}
BENCHMARK(open_hex_file)->Unit(benchmark::kMillisecond);

void save_hex_file(benchmark::State& state) {
    window_bench bench;
    bench.state.image.flash_buffer = full_image();
    const std::string file = bench.path("saved.hex");
    for (auto _ : state) {
        bench.files.answers = {file};
        bench.window->menusave_Click();
    }
    if (bench.window->label_status->text() != "HEX file saved.") {
        state.SkipWithError("the file was not saved");
    }
}
BENCHMARK(save_hex_file)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
