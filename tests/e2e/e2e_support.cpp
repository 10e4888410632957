#include "e2e_support.h"

#include <QFile>
#include <QStandardPaths>
#include <cctype>
#include <csignal>
#include <stdexcept>

#include "devices/device_list.h"

namespace pellandor::e2e {

namespace {

void run_tool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        throw std::runtime_error(
            (program + " failed: " + process.readAllStandardError()).toLocal8Bit().toStdString());
    }
}

std::vector<std::string> split_lines(const QByteArray& text) {
    std::vector<std::string> lines;
    for (const QByteArray& line : text.split('\n')) {
        if (!line.isEmpty()) {
            lines.push_back(line.toStdString());
        }
    }
    return lines;
}

} // namespace

const device_tables& shipped_devices() {
    static const device_tables tables = load_devices(PELLANDOR_DEVICE_LIST);
    return tables;
}

const std::vector<shipped_model>& shipped_models() {
    static const std::vector<shipped_model> models = [] {
        const device_tables& tables = shipped_devices();
        std::vector<shipped_model> list;
        for (std::int32_t i = 1; i <= tables.device_count; ++i) {
            shipped_model entry;
            entry.model.model_index = i;
            select_model(tables, entry.model);
            for (const char c : entry.model.model_name) {
                entry.chip += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            }
            list.push_back(entry);
        }
        return list;
    }();
    return models;
}

const shipped_model& shipped_model_named(const std::string& chip) {
    for (const shipped_model& entry : shipped_models()) {
        if (entry.chip == chip) {
            return entry;
        }
    }
    throw std::runtime_error("no shipped model " + chip);
}

chip_state read_chip_state(const QString& path, const selected_model& model) {
    std::vector<std::uint8_t> bytes = read_binary(path);
    const std::size_t flash = static_cast<std::size_t>(model.flash_size);
    const std::size_t eeprom = static_cast<std::size_t>(model.eeprom_size);
    bytes.resize(flash + eeprom + 4, 0xFF); // missing bytes are FF
    chip_state state;
    state.flash.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(flash));
    state.eeprom.assign(bytes.begin() + static_cast<std::ptrdiff_t>(flash),
                        bytes.begin() + static_cast<std::ptrdiff_t>(flash + eeprom));
    state.lock = bytes[flash + eeprom];
    for (std::size_t i = 0; i < 3; ++i) {
        state.fuses[i] = bytes[flash + eeprom + 1 + i];
    }
    return state;
}

void write_chip_state(const QString& path, const chip_state& state) {
    std::vector<std::uint8_t> bytes = state.flash;
    bytes.insert(bytes.end(), state.eeprom.begin(), state.eeprom.end());
    bytes.push_back(state.lock);
    bytes.insert(bytes.end(), state.fuses.begin(), state.fuses.end());
    write_binary(path, bytes);
}

adapter_sim::adapter_sim(const std::string& chip, const QStringList& options)
    : process_(std::make_unique<QProcess>()) {
    process_->start(PELLANDOR_ADAPTER_SIM,
                    QStringList{"--chip", QString::fromStdString(chip)} + options);
    if (!process_->waitForStarted(10000)) {
        return;
    }
    while (!process_->canReadLine() && process_->waitForReadyRead(10000)) {
    }
    const QByteArray first = process_->readLine().trimmed();
    if (first.startsWith("pty ")) {
        pty_ = QString::fromLocal8Bit(first.mid(4));
    }
}

adapter_sim::~adapter_sim() {
    if (process_->state() != QProcess::NotRunning) {
        process_->kill();
        process_->waitForFinished(5000);
    }
}

bool adapter_sim::said(const QByteArray& line) {
    while (process_->canReadLine()) {
        lines_.append(process_->readLine().trimmed());
    }
    return lines_.contains(line);
}

void adapter_sim::send_unasked_byte() {
    ::kill(static_cast<pid_t>(process_->processId()), SIGUSR1);
}

sim_result adapter_sim::stop() {
    sim_result result;
    if (process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(20000)) {
            process_->kill();
            process_->waitForFinished(5000);
            result.errors = "the simulator did not end on SIGTERM\n";
            return result;
        }
    }
    result.exit_code = process_->exitStatus() == QProcess::NormalExit ? process_->exitCode() : -1;
    result.errors += process_->readAllStandardError().toStdString();
    return result;
}

std::string probe_result::line(const std::string& prefix) const {
    for (const std::string& text : lines) {
        if (text.rfind(prefix, 0) == 0) {
            return text.substr(prefix.size());
        }
    }
    return "";
}

std::vector<std::string> probe_result::lines_with(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& text : lines) {
        if (text.rfind(prefix, 0) == 0) {
            found.push_back(text.substr(prefix.size()));
        }
    }
    return found;
}

probe_result run_probe(int model_index, const QStringList& arguments) {
    QProcess process;
    process.start(PELLANDOR_ENGINE_PROBE, QStringList{"--devices", PELLANDOR_DEVICE_LIST, "--model",
                                                      QString::number(model_index)} +
                                              arguments);
    probe_result result;
    if (process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit) {
        result.exit_code = process.exitCode();
    }
    result.lines = split_lines(process.readAllStandardOutput());
    result.errors = process.readAllStandardError().toStdString();
    return result;
}

void write_hex(const QString& path, const std::vector<std::uint8_t>& flash) {
    const QString binary = path + ".bin";
    write_binary(binary, flash);
    run_tool(PELLANDOR_SREC_CAT, {binary, "-binary", "-unfill", "0xFF", "8", "-o", path, "-intel"});
}

std::vector<std::uint8_t> read_hex(const QString& path, std::size_t size) {
    const QString binary = path + ".bin";
    run_tool(PELLANDOR_SREC_CAT, {path, "-intel", "-fill", "0xFF", "0", QString::number(size), "-o",
                                  binary, "-binary"});
    std::vector<std::uint8_t> bytes = read_binary(binary);
    bytes.resize(size, 0xFF);
    return bytes;
}

void write_binary(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

std::vector<std::uint8_t> read_binary(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray data = file.readAll();
    return {data.begin(), data.end()};
}

} // namespace pellandor::e2e
