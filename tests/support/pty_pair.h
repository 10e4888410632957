// A pseudo-terminal for tests of the serial control: the test holds the
// master end as the far side of the line and keeps a descriptor of the slave
// open too, since a master reads EIO while no one holds its slave.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace pellandor::testing {

class pty_pair {
public:
    pty_pair();
    ~pty_pair();
    pty_pair(const pty_pair&) = delete;
    pty_pair& operator=(const pty_pair&) = delete;

    bool valid() const { return master_ >= 0 && slave_ >= 0; }
    const std::string& slave_path() const { return slave_path_; }
    int master() const { return master_; }

    // The far side writes, and reads what has arrived within the time given.
    bool send(const std::string& bytes) const;
    std::string receive(std::size_t count, std::chrono::milliseconds timeout) const;

    // The far side goes away, as an adapter pulled out: both of this pair's
    // descriptors are closed.
    void hang_up();

    // The line as the kernel holds it: output speed in baud (termios2, so
    // rates without a B constant read right) and the control flags.
    std::uint32_t output_speed() const;
    std::uint32_t control_flags() const;

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slave_path_;
};

} // namespace pellandor::testing
