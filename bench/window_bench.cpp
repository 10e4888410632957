// The main window's own costs: from the start (the device list read) to the
// window shown, painted and its status line written with all sixteen COM
// ports probed; and one scroll step of the FLASH grid, which redraws both
// grids and every field, painted. Runs on the platform Qt picks (offscreen
// when there is no display); run it under xvfb-run to see an X server's cost.
#include <QApplication>
#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <vector>

#include "devices/device_list.h"
#include "e2e_support.h"
#include "machine_info.h"
#include "mainwindow/hex_grid_widget.h"
#include "random_bytes.h"
#include "startup/controls_widget.h"
#include "support/com_ports.h"
#include "support/pty_pair.h"
#include "window_harness.h"

namespace {

using namespace pellandor;

constexpr int sim_com = 16;

// COM16 is the simulated adapter, which the window opens; COM1 to COM15 lead
// to pseudo-terminals nobody answers on (range(0) = 1) or to paths where no
// device is (range(0) = 0).
void BM_StartToWindowShown(benchmark::State& state) {
    e2e::window_harness harness;
    const e2e::shipped_model& model = e2e::shipped_model_named("atmega8");
    e2e::adapter_sim sim(model.chip, {"--link", testing::com_port_entry(sim_com)});
    std::vector<std::unique_ptr<testing::pty_pair>> terminals;
    if (state.range(0) == 1) {
        for (int n = 1; n < sim_com; ++n) {
            terminals.push_back(std::make_unique<testing::pty_pair>());
            testing::link_com_port(n, QString::fromStdString(terminals.back()->slave_path()));
        }
    }
    double first_ms = -1;
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        harness.state.devices = load_devices(PELLANDOR_DEVICE_LIST);
        Form1& window = harness.load(model.model.model_index, sim_com);
        QCoreApplication::processEvents();
        window.repaint();
        if (window.label_status->text() != QStringLiteral("Serial port COM16 ready...")) {
            state.SkipWithError("the simulator's port did not open");
            break;
        }
        state.PauseTiming();
        if (first_ms < 0) {
            first_ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                                 started)
                           .count();
        }
        harness.unload();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    // The first start in the process also loads the fonts and the style.
    state.counters["first_ms"] = first_ms;
    state.SetLabel(state.range(0) == 1 ? "16 pseudo-terminals" : "15 dead paths + simulator");
}
BENCHMARK(BM_StartToWindowShown)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(30);

// One step down the FLASH grid: the scroll bar's change event redraws both
// grids and the fields (updatedisplay), then the whole window is painted.
void BM_ScrollStep(benchmark::State& state) {
    e2e::window_harness harness;
    const e2e::shipped_model& model = e2e::shipped_model_named("atmega1284p");
    Form1& window = harness.load(model.model.model_index, sim_com);
    bench::fill_random(harness.state.image.flash_buffer, 7);
    bench::fill_random(harness.state.image.eeprom_buffer, 8);
    window.activateWindow();
    QCoreApplication::processEvents();
    int line = 0;
    for (auto _ : state) {
        line = line == window.scrl1->maximum() ? 0 : line + 1;
        window.scrl1->setValue(line);
        window.repaint();
    }
    state.SetLabel(QGuiApplication::platformName().toStdString());
}
BENCHMARK(BM_ScrollStep)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const auto started = std::chrono::steady_clock::now();
    QApplication app(argc, argv);
    const double application_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();
    benchmark::Initialize(&argc, argv);
    benchmark::AddCustomContext("QApplication made in", std::to_string(application_ms) + " ms");
    benchmark::AddCustomContext("machine", pellandor::bench::machine_text());
    benchmark::AddCustomContext("platform", QGuiApplication::platformName().toStdString());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
