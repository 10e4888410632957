// The simulator as a separate process, talked to over its pseudo-terminal.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace pellandor::adapter_sim {

class sim_process {
public:
    explicit sim_process(const std::vector<std::string>& args);
    sim_process(const sim_process&) = delete;
    sim_process& operator=(const sim_process&) = delete;
    ~sim_process();

    // The device named on the first line, empty when none came.
    const std::string& pty() const { return pty_; }
    // The next line it prints after that one, "" when none comes in time.
    std::string read_line(std::chrono::milliseconds timeout = std::chrono::seconds(20));
    bool open_port(const std::string& path);
    void write(const std::vector<std::uint8_t>& bytes);
    // Reads until `count` bytes have come or `timeout` has passed.
    std::vector<std::uint8_t> read(std::size_t count,
                                   std::chrono::milliseconds timeout = std::chrono::seconds(20));
    std::vector<std::uint8_t> exchange(const std::vector<std::uint8_t>& bytes, std::size_t count) {
        write(bytes);
        return read(count);
    }
    void signal(int number) const;
    // SIGTERM, then the exit status; what it wrote on stderr goes to `errors`.
    int stop();
    int wait();

    std::string errors;

private:
    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
    int port_ = -1;
    std::string pty_;
};

// A fresh folder under the system's temporary folder.
std::string make_temporary_folder();

} // namespace pellandor::adapter_sim
