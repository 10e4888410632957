#include "serve_loop.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <poll.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <thread>
#include <unistd.h>

namespace pellandor::adapter_sim {

namespace {

using clock = std::chrono::steady_clock;
constexpr int poll_ms = 50;

// A sleep wakes up tens of microseconds late, a good part of a byte's time
// at the usual rates: sleep until a little before the time, by as much as
// sleeps have lately overslept, and spin for the rest.
class precise_wait {
public:
    void until(clock::time_point deadline) {
        const auto early = deadline - margin_;
        if (clock::now() < early) {
            std::this_thread::sleep_until(early);
            const auto late = clock::now() - early;
            margin_ = (margin_ * 7 + late) / 8 + std::chrono::microseconds(2);
        }
        while (clock::now() < deadline) {
            std::this_thread::yield();
        }
    }

private:
    clock::duration margin_ = std::chrono::microseconds(100);
};

// Every wait runs to an absolute time on the steady clock, so that oversleeping
// once does not slow the line down on average.
class paced_line {
public:
    paced_line(int fd, line_timing timing, clock::time_point start,
               const volatile std::sig_atomic_t& stop)
        : fd_(fd), stop_(stop), paced_(timing.baud != 0),
          byte_time_(
              paced_ ? std::chrono::duration_cast<clock::duration>(
                           std::chrono::duration<double>(10.0 / static_cast<double>(timing.baud)))
                     : clock::duration::zero()),
          latency_(std::chrono::microseconds(timing.latency_us)), in_free_(start),
          out_free_(start) {}

    // When the byte noticed at `seen` has come in completely. Nothing waits
    // for it here: the reply's own time is the one wait, so that the sleeps
    // of a round trip do not add up their oversleeping.
    clock::time_point arrival(clock::time_point seen) {
        if (!paced_) {
            return clock::now();
        }
        in_free_ = std::max(seen, in_free_) + byte_time_;
        return in_free_;
    }

    void send(std::span<const std::uint8_t> bytes, clock::time_point asked) {
        const auto ready = asked + latency_;
        if (!paced_) {
            if (latency_ > clock::duration::zero()) {
                wait_.until(ready);
            }
            write_all(bytes);
            return;
        }
        for (const auto byte : bytes) {
            out_free_ = std::max(ready, out_free_) + byte_time_;
            wait_.until(out_free_);
            write_all({&byte, 1});
        }
    }

private:
    void write_all(std::span<const std::uint8_t> bytes) {
        while (!bytes.empty() && stop_ == 0) {
            const auto written = ::write(fd_, bytes.data(), bytes.size());
            if (written > 0) {
                bytes = bytes.subspan(static_cast<std::size_t>(written));
            } else if (written < 0 && errno == EAGAIN) {
                pollfd wait{fd_, POLLOUT, 0};
                ::poll(&wait, 1, poll_ms);
            } else if (written < 0 && errno != EINTR) {
                return;
            }
        }
    }

    int fd_;
    const volatile std::sig_atomic_t& stop_;
    bool paced_;
    clock::duration byte_time_;
    clock::duration latency_;
    clock::time_point in_free_;
    clock::time_point out_free_;
    precise_wait wait_;
};

} // namespace

bool serve(int fd, adapter& adapter, line_timing timing, clock::time_point start,
           line_requests& requests, const fault_sink& notice) {
    const volatile std::sig_atomic_t& stop = requests.stop;
#ifdef __linux__
    // The default slack of 50 us would stretch every paced reply noticeably.
    ::prctl(PR_SET_TIMERSLACK, 1UL);
#endif
    paced_line line(fd, timing, start, stop);
    std::array<std::uint8_t, 512> buffer{};
    std::uint64_t sent_unasked = 0;
    while (stop == 0) {
        if (requests.unasked != 0) {
            requests.unasked = 0;
            line.send({&unasked_byte, 1}, clock::now());
            if (notice) {
                notice("unasked bytes sent: " + std::to_string(++sent_unasked));
            }
        }
        pollfd wait{fd, POLLIN, 0};
        const int ready = ::poll(&wait, 1, poll_ms);
        if (ready < 0 && errno != EINTR) {
            return false;
        }
        if (ready <= 0) {
            continue;
        }
        const auto count = ::read(fd, buffer.data(), buffer.size());
        if (count < 0 && (errno == EAGAIN || errno == EINTR)) {
            continue;
        }
        if (count <= 0) {
            if (count < 0 && errno != EIO) {
                return false;
            }
            // EIO: nobody holds the terminal's other side for a moment.
            std::this_thread::sleep_for(std::chrono::milliseconds(poll_ms));
            continue;
        }
        const auto seen = clock::now();
        for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
            const auto at = line.arrival(seen);
            const auto reply =
                adapter.receive(buffer[i], std::chrono::duration_cast<sim_time>(at - start));
            if (reply.size > 0) {
                line.send(reply.view(), at);
            }
        }
    }
    return true;
}

} // namespace pellandor::adapter_sim
