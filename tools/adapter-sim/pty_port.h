// The pseudo-terminal the program under test opens as its serial port.
#pragma once

#include <string>

namespace pellandor::adapter_sim {

class pty_port {
public:
    pty_port() = default;
    pty_port(const pty_port&) = delete;
    pty_port& operator=(const pty_port&) = delete;
    ~pty_port();

    bool open(std::string& error);
    int master() const { return master_; }
    const std::string& path() const { return path_; }

private:
    int master_ = -1;
    // Held open for the whole run: without a slave descriptor the master
    // reads EIO whenever the program has the port closed.
    int slave_ = -1;
    std::string path_;
};

// Points `link` at `target`, replacing whatever file is there and making the
// folders it needs.
bool make_port_link(const std::string& link, const std::string& target, std::string& error);
// Removes `link` if it still points at `target`.
void remove_port_link(const std::string& link, const std::string& target);

} // namespace pellandor::adapter_sim
