#include "support/pty_pair.h"

#include <algorithm>

// termbits, not termios.h: only termios2 shows a rate that has no B constant.
#include <asm/termbits.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace pellandor::testing {

namespace {

bool line_of(int fd, termios2& line) {
    return ::ioctl(fd, TCGETS2, &line) == 0;
}

} // namespace

pty_pair::pty_pair() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        return;
    }
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        return;
    }
    slave_path_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
}

pty_pair::~pty_pair() {
    hang_up();
}

void pty_pair::hang_up() {
    if (slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

bool pty_pair::send(const std::string& bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string pty_pair::receive(std::size_t count, std::chrono::milliseconds timeout) const {
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + timeout;
    std::string bytes;
    while (bytes.size() < count) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now());
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(std::max<std::int64_t>(left.count(), 0))) <= 0) {
            break;
        }
        char buffer[256];
        const auto n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

std::uint32_t pty_pair::output_speed() const {
    termios2 line{};
    return line_of(slave_, line) ? line.c_ospeed : 0;
}

std::uint32_t pty_pair::control_flags() const {
    termios2 line{};
    return line_of(slave_, line) ? line.c_cflag : 0;
}

} // namespace pellandor::testing
