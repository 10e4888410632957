// Runs one operation of the programming engine against a real port, without
// windows, for the end-to-end tests:
//
//   engine_probe --devices FILE --model N --port DEVICE [--baud TEXT] [--com N]
//                [--hex IN.hex] [--eeprom-in IN.bin] [--config LL,S0,S1,S2,FL,FH,FE]
//                [--out OUT.hex] [--eeprom-out OUT.bin] [--timeout SECONDS]
//                program|read|erase|blank|verify
//
// Prints every status text as "status: TEXT" and every message box as
// "box KIND: TEXT", then "config: " and the seven configuration bytes.
//
// Exit codes: 0 the operation ran to its end (or the engine stopped it with
// an error box, which is printed); 1 an output file could not be
// written; 2 wrong arguments or unreadable input; 3 nothing arrived for
// SECONDS (the operation still runs); 4 the start was refused because the
// port is not open ("Serial port N error!", N from --com, default 1); 5 the
// engine ended the program (an unrecognised instruction).
#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>

#include "devices/device_list.h"
#include "devices/memory_image.h"
#include "devices/selected_model.h"
#include "engine/programming_engine.h"
#include "hexfile/hex_reader.h"
#include "hexfile/hex_writer.h"
#include "hexfile/text_file.h"
#include "platform/serial_control.h"
#include "probe_host.h"
#include "startup/hex_text.h"
#include "startup/text_value.h"

using namespace pellandor;

namespace {

enum exit_code {
    exit_completed = 0,
    exit_output = 1,
    exit_usage = 2,
    exit_timeout = 3,
    exit_refused = 4,
    exit_ended = 5
};

const std::map<std::string, operation_kind> operations{{"program", operation_kind::program},
                                                       {"read", operation_kind::read},
                                                       {"erase", operation_kind::erase},
                                                       {"blank", operation_kind::blank},
                                                       {"verify", operation_kind::verify}};

struct probe_options {
    std::map<std::string, std::string> values;
    std::optional<operation_kind> operation;
    std::string value(const std::string& key, const std::string& fallback = "") const {
        const auto it = values.find(key);
        return it == values.end() ? fallback : it->second;
    }
};

std::optional<probe_options> parse_arguments(const QStringList& arguments) {
    static const std::vector<std::string> keys{
        "--devices",   "--model",  "--port", "--baud",       "--com",    "--hex",
        "--eeprom-in", "--config", "--out",  "--eeprom-out", "--timeout"};
    probe_options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const std::string argument = arguments[i].toLocal8Bit().toStdString();
        if (std::find(keys.begin(), keys.end(), argument) != keys.end()) {
            if (i + 1 >= arguments.size()) {
                return std::nullopt;
            }
            options.values[argument] = arguments[++i].toLocal8Bit().toStdString();
        } else if (operations.count(argument) != 0 && !options.operation) {
            options.operation = operations.at(argument);
        } else {
            return std::nullopt;
        }
    }
    for (const char* required : {"--devices", "--model", "--port"}) {
        if (options.values.count(required) == 0) {
            return std::nullopt;
        }
    }
    if (!options.operation) {
        return std::nullopt;
    }
    return options;
}

// "LL,S0,S1,S2,FL,FH,FE": seven pairs of hexadecimal digits.
bool parse_config(const std::string& text, memory_image& image) {
    std::array<std::int32_t*, 7> targets{&image.lock_byte,          &image.signature_bytes[0],
                                         &image.signature_bytes[1], &image.signature_bytes[2],
                                         &image.fuse_bytes[0],      &image.fuse_bytes[1],
                                         &image.fuse_bytes[2]};
    if (text.size() != 7 * 3 - 1) {
        return false;
    }
    for (std::size_t field = 0; field < targets.size(); ++field) {
        std::string digits = text.substr(field * 3, 2);
        for (char& c : digits) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        const std::int32_t value = hex2_value(digits);
        if (value < 0 || (field < 6 && text[field * 3 + 2] != ',')) {
            return false;
        }
        *targets[field] = value;
    }
    return true;
}

bool load_eeprom(const std::string& path, memory_image& image) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
    for (std::size_t i = 0; i < bytes.size() && i < image.eeprom_buffer.size(); ++i) {
        image.eeprom_buffer[i] = static_cast<std::uint8_t>(bytes[i]);
    }
    return true;
}

std::string config_text(const memory_image& image) {
    const std::array<std::int32_t, 7> bytes{image.lock_byte,          image.signature_bytes[0],
                                            image.signature_bytes[1], image.signature_bytes[2],
                                            image.fuse_bytes[0],      image.fuse_bytes[1],
                                            image.fuse_bytes[2]};
    std::string text;
    for (const std::int32_t byte : bytes) {
        text +=
            (text.empty() ? "" : ",") + (byte >= 0 && byte <= 255 ? hex2(byte) : std::string("-1"));
    }
    return text;
}

bool write_outputs(const probe_options& options, const memory_image& image,
                   const selected_model& model) {
    if (const std::string out = options.value("--out"); !out.empty()) {
        if (const auto failure = write_text_file_atomically(
                out, hex_file_text(image.flash_buffer, model.flash_size))) {
            std::cerr << *failure << '\n';
            return false;
        }
    }
    if (const std::string out = options.value("--eeprom-out"); !out.empty()) {
        std::ofstream file(out, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(image.eeprom_buffer.data()),
                   static_cast<std::streamsize>(image.eeprom_buffer.size()));
        if (!file) {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const auto options = parse_arguments(QCoreApplication::arguments());
    if (!options) {
        std::cerr
            << "usage: engine_probe --devices FILE --model N --port DEVICE [--baud TEXT]"
               " [--com N] [--hex IN.hex] [--eeprom-in IN.bin] [--config LL,S0,S1,S2,FL,FH,FE]"
               " [--out OUT.hex] [--eeprom-out OUT.bin] [--timeout SECONDS]"
               " program|read|erase|blank|verify\n";
        return exit_usage;
    }

    const device_tables tables = load_devices(options->value("--devices"));
    selected_model model;
    model.model_index =
        static_cast<std::int32_t>(round_half_even(text_value(options->value("--model"))));
    if (model.model_index < 1 || model.model_index > tables.device_count) {
        std::cerr << "no model " << options->value("--model") << " in the device list\n";
        return exit_usage;
    }
    select_model(tables, model);
    memory_image image;
    reset_memory_image(image, model);

    SerialControl serial;
    const std::int32_t com_number =
        static_cast<std::int32_t>(round_half_even(text_value(options->value("--com", "1"))));
    probe_host host(serial, com_number, std::cout);

    if (const std::string hex = options->value("--hex"); !hex.empty()) {
        std::int32_t bytes_loaded = 0;
        if (!read_hexfile(hex, image.flash_buffer, model.flash_size, bytes_loaded, host)) {
            return exit_usage;
        }
    }
    if (const std::string bin = options->value("--eeprom-in");
        !bin.empty() && !load_eeprom(bin, image)) {
        std::cerr << "cannot read " << bin << '\n';
        return exit_usage;
    }
    if (const std::string config = options->value("--config");
        !config.empty() && !parse_config(config, image)) {
        std::cerr << "--config takes seven pairs of hexadecimal digits separated by commas\n";
        return exit_usage;
    }

    serial.set_port_name(QString::fromLocal8Bit(options->value("--port")));
    serial.set_settings(options->value("--baud", "56000") + ",n,8,1");
    serial.open_port();

    programming_engine engine(host, model, image);
    const double timeout = text_value(options->value("--timeout", "30"));
    const probe_outcome outcome = host.run(engine, *options->operation, timeout);
    switch (outcome) {
    case probe_outcome::refused:
        return exit_refused;
    case probe_outcome::ended:
        std::cout << "ended\n";
        return exit_ended;
    case probe_outcome::timed_out:
        std::cout << "timeout: no byte for " << decimal_text(timeout) << " seconds\n";
        return exit_timeout;
    case probe_outcome::completed:
        break;
    }
    std::cout << "config: " << config_text(image) << '\n';
    if (!write_outputs(*options, image, model)) {
        std::cerr << "cannot write the output files\n";
        return exit_output;
    }
    return exit_completed;
}
