// Program All then Verify of the largest model of the shipped device list
// against the simulated adapter without delays: started from the main
// window's buttons, and run by the engine probe's host over the same serial
// control. The difference is what the window adds. Run by hand; takes minutes.
//
//   window_link_bench [--rounds N] [--flash-kb N] [--eeprom-bytes N]
#include <QApplication>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>

#include "e2e_support.h"
#include "machine_info.h"
#include "platform/serial_control.h"
#include "probe_host.h"
#include "startup/controls_widget.h"
#include "support/com_ports.h"
#include "window_harness.h"

using namespace pellandor;

namespace {

constexpr int sim_com = 16;

struct timing {
    double wall = 0;  // from the start to the window (or probe) idle again
    double cpu = 0;   // this process's processor time (user and system) meanwhile
    double shown = 0; // the elapsed seconds of the result text
    double waits = 0; // the algorithm's own waits (probe only)
};

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The processor time this process has used, the simulator's not counted.
double cpu_seconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The seconds of "... 12.34 seconds elapsed..."; -1 when the text has none.
double shown_seconds(const std::string& status) {
    const auto end = status.find(" seconds elapsed...");
    const auto start = status.rfind(' ', end - 1);
    if (end == std::string::npos || start == std::string::npos) {
        return -1;
    }
    return std::stod(status.substr(start + 1, end - start - 1));
}

// Thrown, so that the simulator goes with the stack.
[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what);
}

timing probe_run(const QString& pty, const selected_model& model, memory_image& image,
                 operation_kind kind) {
    SerialControl serial;
    serial.set_port_name(pty);
    serial.set_settings("56000,n,8,1");
    serial.open_port();
    std::ostringstream out;
    probe_host host(serial, sim_com, out);
    programming_engine engine(host, model, image);
    const double cpu = cpu_seconds();
    const auto start = std::chrono::steady_clock::now();
    const probe_outcome outcome = host.run(engine, kind, 30);
    timing result{seconds_since(start), cpu_seconds() - cpu, 0, host.counters().sleep_seconds};
    const std::string lines = out.str();
    if (outcome != probe_outcome::completed || lines.find("box ") != std::string::npos) {
        fail("the probe's operation did not complete cleanly:\n" + lines);
    }
    result.shown = shown_seconds(lines.substr(lines.rfind("status: ")));
    return result;
}

timing window_run(Form1& window, QPushButton* button) {
    const double cpu = cpu_seconds();
    const auto start = std::chrono::steady_clock::now();
    button->click();
    // The probe's host looks every 20 ms for a run that went silent; the
    // window is watched as often.
    if (!e2e::run_until([&] { return e2e::idle(window); }, 600000, 20)) {
        fail("the window's operation did not end");
    }
    timing result{seconds_since(start), cpu_seconds() - cpu, 0, 0};
    result.shown = shown_seconds(window.label_status->text().toStdString());
    if (result.shown < 0) {
        fail("the window ended with " + window.label_status->text().toStdString());
    }
    return result;
}

void print_pair(const char* name, const timing& probe, const timing& window) {
    const double busy_probe = probe.wall - probe.waits;
    const double busy_window = window.wall - probe.waits;
    std::printf("%-12s probe %8.3f s (shown %6.2f, cpu %6.2f)  window %8.3f s (shown %6.2f, "
                "cpu %6.2f)  ratio %.4f  (waits %.2f s; without them %.4f; cpu %.4f)\n",
                name, probe.wall, probe.shown, probe.cpu, window.wall, window.shown, window.cpu,
                window.wall / probe.wall, probe.waits, busy_window / busy_probe,
                window.cpu / probe.cpu);
}

} // namespace

int run_bench(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    int rounds = 2;
    int flash_kb = -1; // the whole FLASH
    int eeprom_bytes = 0;
    for (int i = 1; i < argc; i += 2) {
        const std::string argument = argv[i];
        int* const value = argument == "--rounds"         ? &rounds
                           : argument == "--flash-kb"     ? &flash_kb
                           : argument == "--eeprom-bytes" ? &eeprom_bytes
                                                          : nullptr;
        if (value == nullptr || i + 1 == argc) {
            std::cerr << "usage: window_link_bench [--rounds N] [--flash-kb N] "
                         "[--eeprom-bytes N]\n";
            return 2;
        }
        *value = std::atoi(argv[i + 1]);
    }

    const auto& models = e2e::shipped_models();
    const auto largest =
        std::max_element(models.begin(), models.end(), [](const auto& a, const auto& b) {
            return a.model.flash_size < b.model.flash_size;
        });
    const selected_model& model = largest->model;
    memory_image image;
    reset_memory_image(image, model);
    std::mt19937 random(2024);
    const std::size_t flash_bytes =
        flash_kb < 0 ? image.flash_buffer.size()
                     : std::min(image.flash_buffer.size(), std::size_t(flash_kb) * 1024);
    std::generate_n(image.flash_buffer.begin(), flash_bytes,
                    [&] { return static_cast<std::uint8_t>(random()); });
    std::generate_n(image.eeprom_buffer.begin(),
                    std::min(image.eeprom_buffer.size(), std::size_t(eeprom_bytes)),
                    [&] { return static_cast<std::uint8_t>(random()); });

    std::printf("machine: %s\nplatform: %s\n", bench::machine_text().c_str(),
                QGuiApplication::platformName().toStdString().c_str());
    std::printf("model: %s, FLASH %d bytes (%zu filled), EEPROM %d bytes (%d filled); "
                "simulator without delays\n",
                model.model_name.c_str(), model.flash_size, flash_bytes, model.eeprom_size,
                eeprom_bytes);

    e2e::window_harness harness;
    e2e::adapter_sim sim(largest->chip, {"--link", testing::com_port_entry(sim_com)});
    if (sim.pty().isEmpty()) {
        fail("the simulator did not start");
    }
    for (int round = 1; round <= rounds; ++round) {
        // The port can be open in one place only: the probe's runs come first.
        memory_image probe_image = image;
        const timing probe_program =
            probe_run(sim.pty(), model, probe_image, operation_kind::program);
        const timing probe_verify =
            probe_run(sim.pty(), model, probe_image, operation_kind::verify);

        Form1& window = harness.load(model.model_index, sim_com);
        harness.state.image = image;
        window.updatedisplay();
        const timing window_program = window_run(window, window.Command1);
        const timing window_verify = window_run(window, window.Command5);
        if (window.label_status->text().toStdString().rfind("Chip verified. ", 0) != 0) {
            fail("the window's Verify failed");
        }
        harness.unload();
        std::printf("round %d\n", round);
        print_pair("Program All", probe_program, window_program);
        print_pair("Verify", probe_verify, window_verify);
    }
    const e2e::sim_result result = sim.stop();
    if (result.errors.find("faults: 0") == std::string::npos) {
        std::printf("simulator: %s\n", result.errors.c_str());
    }
    return 0;
}

int main(int argc, char* argv[]) {
    try {
        return run_bench(argc, argv);
    } catch (const std::exception& failure) {
        std::cerr << "window_link_bench: " << failure.what() << '\n';
        return 1;
    }
}
