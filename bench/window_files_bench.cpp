// Opening and saving the HEX file of a full 128 KB FLASH image from the main
// window, as File > Open HEX File and File > Save Buffer As do it: busy state,
// the image made anew, the read, and the redraw of both grids included.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

#include "e2e_support.h"
#include "hexfile/hex_writer.h"
#include "hexfile/text_file.h"
#include "random_bytes.h"
#include "startup/controls_widget.h"
#include "window_harness.h"

namespace {

using namespace pellandor;

// The window over the largest shipped model, its 128 KB FLASH full.
struct window_bench {
    e2e::window_harness harness;
    const e2e::shipped_model& largest = e2e::shipped_model_named("atmega1284p");
    Form1& window = harness.load(largest.model.model_index, 1);
    const std::int32_t flash_size = largest.model.flash_size;
    QTemporaryDir folder;

    std::string path(const char* name) const {
        return from_qstring(folder.filePath(QString::fromLatin1(name)));
    }
};

void open_hex_file(benchmark::State& state) {
    window_bench bench;
    const std::string file = bench.path("image.hex");
    write_text_file_atomically(
        file, hex_file_text(bench::random_bytes(static_cast<std::size_t>(bench.flash_size)),
                            bench.flash_size));
    for (auto _ : state) {
        bench.harness.files.answers = {file};
        bench.window.menuopen_Click();
    }
    if (bench.window.label_status->text() !=
        "Operation completed. Total 131072 (128K) program bytes loaded.") {
        state.SkipWithError("the file was not loaded");
    }
}
BENCHMARK(open_hex_file)->Unit(benchmark::kMillisecond);

void save_hex_file(benchmark::State& state) {
    window_bench bench;
    bench::fill_random(bench.harness.state.image.flash_buffer, 1);
    // Each save writes a new file, as no overwrite question may stop it.
    const std::string file = bench.path("saved.hex");
    for (auto _ : state) {
        state.PauseTiming();
        std::remove(file.c_str());
        bench.harness.files.answers = {file};
        state.ResumeTiming();
        bench.window.menusave_Click();
    }
    if (bench.window.label_status->text() != "HEX file saved.") {
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
