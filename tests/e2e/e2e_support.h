// What the end-to-end tests need around the engine probe: the models of the
// shipped device list, the simulated adapter as a child process, the chip
// state files it reads and writes, and HEX files made by srec_cat.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "devices/device_list.h"
#include "devices/selected_model.h"

namespace pellandor::e2e {

struct shipped_model {
    selected_model model;
    std::string chip; // the simulator's name for it
};

// The shipped device list as the program reads it at start.
const device_tables& shipped_devices();

// Every model of the shipped device list, in file order.
const std::vector<shipped_model>& shipped_models();

// The model of the shipped list that the simulator calls `chip`.
const shipped_model& shipped_model_named(const std::string& chip);

// A chip as the simulator stores it: FLASH, EEPROM, lock, fuse low, high, extended.
struct chip_state {
    std::vector<std::uint8_t> flash;
    std::vector<std::uint8_t> eeprom;
    std::uint8_t lock = 0xFF;
    std::array<std::uint8_t, 3> fuses{0xFF, 0xFF, 0xFF};
};

chip_state read_chip_state(const QString& path, const selected_model& model);
void write_chip_state(const QString& path, const chip_state& state);

struct sim_result {
    int exit_code = -1;
    std::string errors; // its standard error: commands, faults
};

class adapter_sim {
public:
    // Starts the simulator for the chip; the pty path is empty when it failed.
    adapter_sim(const std::string& chip, const QStringList& options);
    ~adapter_sim();
    const QString& pty() const { return pty_; }
    // Whether it has printed the line so far (read as the event loop brings
    // it, without waiting): "silent after N commands" when it stopped answering.
    bool said(const QByteArray& line);
    // SIGUSR1: one byte that no command asked for ("unasked bytes sent: N").
    void send_unasked_byte();
    // SIGTERM, then the exit code and standard error.
    sim_result stop();

private:
    std::unique_ptr<QProcess> process_;
    QString pty_;
    QByteArrayList lines_;
};

struct probe_result {
    int exit_code = -1;
    std::vector<std::string> lines; // standard output, line by line
    std::string errors;
    // The line that begins with the prefix, without it; "" when there is none.
    std::string line(const std::string& prefix) const;
    std::vector<std::string> lines_with(const std::string& prefix) const;
};

// Runs the engine probe with the shipped device list and the given arguments,
// to its end however long the operation takes: the probe gives up by itself
// once no byte has come for its --timeout.
probe_result run_probe(int model_index, const QStringList& arguments);

// FLASH buffer to a HEX file (runs of FF left out) and back, through srec_cat.
void write_hex(const QString& path, const std::vector<std::uint8_t>& flash);
std::vector<std::uint8_t> read_hex(const QString& path, std::size_t size);

void write_binary(const QString& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> read_binary(const QString& path);

} // namespace pellandor::e2e
