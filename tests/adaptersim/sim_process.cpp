#include "sim_process.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

extern char** environ;

namespace pellandor::adapter_sim {

namespace {

using clock = std::chrono::steady_clock;

// Waits at most until `deadline` for `fd` to become readable.
bool readable(int fd, clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now());
    pollfd wait{fd, POLLIN, 0};
    return left.count() > 0 && ::poll(&wait, 1, static_cast<int>(left.count())) > 0;
}

} // namespace

sim_process::sim_process(const std::vector<std::string>& args) {
    int out[2];
    int err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<std::string> words{ADAPTER_SIM_PATH};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    if (::posix_spawn(&pid_, ADAPTER_SIM_PATH, &actions, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    out_ = out[0];
    err_ = err[0];

    const std::string line = read_line();
    if (line.rfind("pty ", 0) == 0) {
        pty_ = line.substr(4);
    }
}

sim_process::~sim_process() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        wait();
    }
    for (const int fd : {out_, err_, port_}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

std::string sim_process::read_line(std::chrono::milliseconds timeout) {
    const auto deadline = clock::now() + timeout;
    std::string line;
    char c = 0;
    while (readable(out_, deadline) && ::read(out_, &c, 1) == 1 && c != '\n') {
        line += c;
    }
    return line;
}

bool sim_process::open_port(const std::string& path) {
    port_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios settings{};
    if (port_ < 0 || ::tcgetattr(port_, &settings) != 0) {
        return false;
    }
    ::cfmakeraw(&settings);
    return ::tcsetattr(port_, TCSANOW, &settings) == 0;
}

void sim_process::write(const std::vector<std::uint8_t>& bytes) {
    if (::write(port_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        std::abort();
    }
}

std::vector<std::uint8_t> sim_process::read(std::size_t count, std::chrono::milliseconds timeout) {
    std::vector<std::uint8_t> bytes;
    const auto deadline = clock::now() + timeout;
    std::uint8_t buffer[64];
    while (bytes.size() < count && readable(port_, deadline)) {
        const auto got = ::read(port_, buffer, sizeof buffer);
        if (got > 0) {
            bytes.insert(bytes.end(), buffer, buffer + got);
        }
    }
    return bytes;
}

void sim_process::signal(int number) const {
    if (pid_ > 0) {
        ::kill(pid_, number);
    }
}

int sim_process::stop() {
    signal(SIGTERM);
    return wait();
}

int sim_process::wait() {
    if (pid_ <= 0) {
        return -1;
    }
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    char buffer[256];
    ssize_t got = 0;
    while ((got = ::read(err_, buffer, sizeof buffer)) > 0) {
        errors.append(buffer, static_cast<std::size_t>(got));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string make_temporary_folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "adapter-sim-XXXXXX").string();
    return ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

} // namespace pellandor::adapter_sim
