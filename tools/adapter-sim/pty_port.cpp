#include "pty_port.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <termios.h>
#include <unistd.h>

namespace pellandor::adapter_sim {

namespace fs = std::filesystem;

pty_port::~pty_port() {
    if (slave_ >= 0) {
        ::close(slave_);
    }
    if (master_ >= 0) {
        ::close(master_);
    }
}

bool pty_port::open(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ::ptsname(master_);
    if (name == nullptr) {
        error = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    path_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
    termios settings{};
    if (slave_ < 0 || ::tcgetattr(slave_, &settings) != 0) {
        error = "cannot open " + path_ + ": " + std::strerror(errno);
        return false;
    }
    ::cfmakeraw(&settings);
    const int flags = ::fcntl(master_, F_GETFL);
    if (::tcsetattr(slave_, TCSANOW, &settings) != 0 ||
        ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) {
        error = "cannot set up " + path_ + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool make_port_link(const std::string& link, const std::string& target, std::string& error) {
    const fs::path path(link);
    std::error_code failure;
    if (path.has_parent_path()) {
        fs::create_directories(path.parent_path(), failure);
    }
    // Made beside the link and renamed over it, so the link never goes missing.
    fs::path temporary = path;
    temporary += ".adapter-sim-" + std::to_string(::getpid());
    fs::remove(temporary, failure);
    fs::create_symlink(target, temporary, failure);
    if (!failure) {
        fs::rename(temporary, path, failure);
    }
    if (failure) {
        error = "cannot link " + link + " to " + target + ": " + failure.message();
        fs::remove(temporary, failure);
        return false;
    }
    return true;
}

void remove_port_link(const std::string& link, const std::string& target) {
    std::error_code failure;
    if (fs::is_symlink(link, failure) && fs::read_symlink(link, failure) == target) {
        fs::remove(link, failure);
    }
}

} // namespace pellandor::adapter_sim
