// Program All then Verify of the largest model of the shipped device list
// against the simulated adapter: once at 56000 baud, against the wire time of
// the bytes exchanged, and once without delays, as round trips per second and
// the program's own share of each round trip. Run by hand; takes minutes.
//
//   engine_link_bench [--image-kb N] [--no-baud]
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <random>
#include <sstream>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "devices/memory_image.h"
#include "e2e_support.h"
#include "machine_info.h"
#include "platform/serial_control.h"
#include "probe_host.h"

using namespace pellandor;

namespace {

constexpr double bits_per_byte = 10;

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct run_figures {
    double seconds = 0;
    probe_counters counters;
};

// One operation through the real serial control, the host the probe uses.
run_figures run_operation(const QString& pty, const selected_model& model, memory_image& image,
                          operation_kind kind, std::vector<std::uint8_t>* recording = nullptr) {
    SerialControl serial;
    serial.set_port_name(pty);
    serial.set_settings("56000,n,8,1");
    serial.open_port();
    std::ostringstream discarded;
    probe_host host(serial, 1, discarded);
    host.record_output(recording);
    programming_engine engine(host, model, image);
    const auto start = std::chrono::steady_clock::now();
    const probe_outcome outcome = host.run(engine, kind, 30);
    run_figures figures{seconds_since(start), host.counters()};
    serial.close_port();
    if (outcome != probe_outcome::completed || discarded.str().find("box ") != std::string::npos) {
        std::cerr << "the operation did not complete cleanly:\n" << discarded.str();
        std::exit(1);
    }
    return figures;
}

// The same command stream written straight to the pty, one command at a time,
// waiting for its reply bytes: what a round trip costs without the program.
double replay_seconds_per_command(const QString& pty, const std::vector<std::uint8_t>& stream) {
    const int fd = ::open(pty.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd < 0) {
        return 0;
    }
    termios settings{};
    tcgetattr(fd, &settings);
    cfmakeraw(&settings);
    tcsetattr(fd, TCSANOW, &settings);
    std::uint64_t commands = 0;
    double reset_hold = 0;
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < stream.size(); ++commands) {
        const std::size_t length = stream[i] == adapter_command::data ? 2 : 1;
        const int replies = stream[i] == adapter_command::get ? 2 : 1;
        if (::write(fd, &stream[i], length) != static_cast<ssize_t>(length)) {
            break;
        }
        i += length;
        std::uint8_t reply[2];
        for (int got = 0; got < replies;) {
            const ssize_t n = ::read(fd, reply, static_cast<std::size_t>(replies - got));
            if (n <= 0) {
                ::close(fd);
                return 0;
            }
            got += static_cast<int>(n);
        }
        if (stream[i - length] == adapter_command::begin) {
            // The chip takes Programming Enable only after 20 ms of reset.
            const auto hold = std::chrono::steady_clock::now();
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
            reset_hold += seconds_since(hold);
        }
    }
    const double seconds = seconds_since(start) - reset_hold;
    ::close(fd);
    return commands == 0 ? 0 : seconds / static_cast<double>(commands);
}

void print_wire_figures(const char* name, const run_figures& run) {
    const std::uint64_t bytes = run.counters.bytes_out + run.counters.bytes_in;
    const double wire = static_cast<double>(bytes) * bits_per_byte / 56000;
    std::printf("%-12s %9.2f s  %9llu bytes (%llu out, %llu in)  wire %9.2f s  ratio %.3f"
                "  (waits %.2f s; without them %.3f)\n",
                name, run.seconds, static_cast<unsigned long long>(bytes),
                static_cast<unsigned long long>(run.counters.bytes_out),
                static_cast<unsigned long long>(run.counters.bytes_in), wire, run.seconds / wire,
                run.counters.sleep_seconds, (run.seconds - run.counters.sleep_seconds) / wire);
}

void print_round_trip_figures(const char* name, const run_figures& run, double baseline) {
    const double busy = run.seconds - run.counters.sleep_seconds;
    const double per_command = busy / static_cast<double>(run.counters.commands);
    std::printf("%-12s %9.2f s  %9llu round trips  %8.0f per second  %6.1f us each"
                "  handler %4.1f %%",
                name, run.seconds, static_cast<unsigned long long>(run.counters.commands),
                1 / per_command, per_command * 1e6, 100 * run.counters.handler_seconds / busy);
    if (baseline > 0) {
        std::printf("  program's share %4.1f %% (bare round trip %.1f us)",
                    100 * (1 - baseline / per_command), baseline * 1e6);
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // figures show as they come, even into a file
    int image_kb = 16;
    bool with_baud = true;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--image-kb" && i + 1 < argc) {
            image_kb = std::atoi(argv[++i]);
        } else if (argument == "--no-baud") {
            with_baud = false;
        } else {
            std::cerr << "usage: engine_link_bench [--image-kb N] [--no-baud]\n";
            return 2;
        }
    }

    const auto& models = e2e::shipped_models();
    const e2e::shipped_model* largest = &models.front();
    for (const auto& entry : models) {
        if (entry.model.flash_size > largest->model.flash_size) {
            largest = &entry;
        }
    }
    const selected_model& model = largest->model;
    memory_image image;
    reset_memory_image(image, model);
    std::mt19937 random(2024);
    const std::size_t flash_bytes =
        std::min(image.flash_buffer.size(), static_cast<std::size_t>(image_kb) * 1024);
    for (std::size_t i = 0; i < flash_bytes; ++i) {
        image.flash_buffer[i] = static_cast<std::uint8_t>(random());
    }
    for (std::size_t i = 0; i < image.eeprom_buffer.size() && i < 256; ++i) {
        image.eeprom_buffer[i] = static_cast<std::uint8_t>(random());
    }

    std::printf("machine: %s\n", bench::machine_text().c_str());
    std::printf("model: %s, FLASH %d bytes (%zu filled), EEPROM %d bytes (256 filled)\n",
                model.model_name.c_str(), model.flash_size, flash_bytes, model.eeprom_size);

    if (with_baud) {
        std::printf("simulator at 56000 baud (10 bits per byte):\n");
        e2e::adapter_sim sim(largest->chip, {"--baud", "56000"});
        print_wire_figures("Program All",
                           run_operation(sim.pty(), model, image, operation_kind::program));
        print_wire_figures("Verify",
                           run_operation(sim.pty(), model, image, operation_kind::verify));
        sim.stop();
    }

    std::printf("simulator without delays:\n");
    e2e::adapter_sim sim(largest->chip, {});
    std::vector<std::uint8_t> verify_stream;
    const run_figures program = run_operation(sim.pty(), model, image, operation_kind::program);
    const run_figures verify =
        run_operation(sim.pty(), model, image, operation_kind::verify, &verify_stream);
    const double baseline = replay_seconds_per_command(sim.pty(), verify_stream);
    print_round_trip_figures("Program All", program, baseline);
    print_round_trip_figures("Verify", verify, baseline);
    const e2e::sim_result result = sim.stop();
    if (result.errors.find("faults: 0") == std::string::npos) {
        std::printf("simulator: %s\n", result.errors.c_str());
    }
    return 0;
}
