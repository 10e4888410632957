// adapter-sim: a programming adapter with an AVR chip behind it, on a
// pseudo-terminal, for testing the program without hardware.
#include "pty_port.h"
#include "serve_loop.h"
#include "sim_options.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>

using namespace pellandor::adapter_sim;

namespace {

line_requests requests;

extern "C" void request_stop(int) {
    requests.stop = 1;
}

extern "C" void request_unasked_byte(int) {
    requests.unasked = 1;
}

void on_signals() {
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a waiting poll returns at once.
    action.sa_handler = request_stop;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    action.sa_handler = request_unasked_byte;
    sigaction(SIGUSR1, &action, nullptr);
}

int fail(const std::string& message) {
    std::fprintf(stderr, "adapter-sim: %s\n", message.c_str());
    return 2;
}

int list_models() {
    for (const auto& model : chip_models()) {
        std::printf("%s %u %u\n", std::string(model.name).c_str(), model.flash_bytes,
                    model.eeprom_bytes);
    }
    return 0;
}

bool load_image(const sim_options& options, chip_image& image, std::string& error) {
    if (options.state_in.empty()) {
        image = factory_image(*options.chip);
        return true;
    }
    std::ifstream file(options.state_in, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
    auto loaded = image_from_state(*options.chip, bytes);
    if (!file.is_open() || !loaded) {
        error = options.state_in + (file.is_open() ? " holds " + std::to_string(bytes.size()) +
                                                         " bytes, the chip needs " +
                                                         std::to_string(state_size(*options.chip))
                                                   : " cannot be read");
        return false;
    }
    image = std::move(*loaded);
    return true;
}

bool save_image(const std::string& path, const chip_image& image) {
    const auto bytes = state_bytes(image);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options =
        parse_options({const_cast<const char* const*>(argv) + 1, std::size_t(argc - 1)}, error);
    if (!options) {
        std::fputs(usage_text, stderr);
        return fail(error);
    }
    if (options->list) {
        return list_models();
    }
    chip_image image;
    if (!load_image(*options, image, error)) {
        return fail(error);
    }
    std::uint64_t faults = 0;
    const fault_sink report = [&faults](const std::string& text) {
        ++faults;
        std::fprintf(stderr, "fault: %s\n", text.c_str());
    };
    avr_chip chip(*options->chip, std::move(image), report);
    // Notices go to standard output, after the pty line, as they happen.
    const fault_sink notice = [](const std::string& text) {
        std::printf("%s\n", text.c_str());
        std::fflush(stdout);
    };
    adapter link(chip, options->injected, report, notice);
    pty_port port;
    if (!port.open(error) ||
        (!options->link.empty() && !make_port_link(options->link, port.path(), error))) {
        return fail(error);
    }
    on_signals();
    std::printf("pty %s\n", port.path().c_str());
    std::fflush(stdout);

    const bool served = serve(port.master(), link, {options->baud, options->latency_us},
                              std::chrono::steady_clock::now(), requests, notice);
    if (!options->link.empty()) {
        remove_port_link(options->link, port.path());
    }
    if (!options->state_out.empty() && !save_image(options->state_out, chip.image())) {
        return fail("cannot write " + options->state_out);
    }
    std::fprintf(stderr, "commands: %llu\nfaults: %llu\n",
                 static_cast<unsigned long long>(link.commands()),
                 static_cast<unsigned long long>(faults));
    if (!served) {
        return fail("the pseudo-terminal failed");
    }
    return faults == 0 ? 0 : 1;
}
