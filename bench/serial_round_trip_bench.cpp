// One byte out through the serial control to a pty peer that echoes it, and
// back in through the receive event: the round trip every instruction waits
// for. The raw figure is the same trip on the bare descriptors, the floor
// that the control's share is measured against.
#include <QCoreApplication>
#include <QEventLoop>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/serial_control.h"
#include "support/pty_pair.h"
#include "support/qt_application.h"

namespace {

using pellandor::SerialControl;
using pellandor::testing::ensure_application;
using pellandor::testing::pty_pair;
using clock_type = std::chrono::steady_clock;

// Sends back every byte it reads on the master end, as an adapter with no
// delay of its own would.
class echo_peer {
public:
    explicit echo_peer(int master) : master_(master), thread_([this] { run(); }) {}
    ~echo_peer() {
        stop_ = true;
        thread_.join();
    }

private:
    void run() {
        char buffer[64];
        while (!stop_) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0) {
                continue;
            }
            const auto n = ::read(master_, buffer, sizeof buffer);
            if (n > 0 && ::write(master_, buffer, static_cast<std::size_t>(n)) != n) {
                return;
            }
        }
    }

    int master_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

void report(benchmark::State& state, std::vector<double>& trips) {
    std::sort(trips.begin(), trips.end());
    state.counters["median_us"] = trips[trips.size() / 2];
    state.counters["p90_us"] = trips[trips.size() * 9 / 10];
    state.counters["p99_us"] = trips[trips.size() * 99 / 100];
}

// The receive side works as the interpreter does: threshold off, read all
// waiting bytes, threshold on again.
void BM_SerialControlRoundTrip(benchmark::State& state) {
    ensure_application();
    pty_pair line;
    SerialControl control;
    control.set_port_name(QString::fromStdString(line.slave_path()));
    if (!control.set_settings("56000,n,8,1") || !control.open_port()) {
        state.SkipWithError("cannot open the pty");
        return;
    }
    echo_peer peer(line.master());
    bool answered = false;
    QObject::connect(&control, &SerialControl::on_comm, [&] {
        control.set_rthreshold(0);
        answered = !control.input().empty();
        control.set_rthreshold(1);
    });
    control.set_rthreshold(1);

    std::vector<double> trips;
    std::uint8_t value = 0;
    for (auto _ : state) {
        const auto start = clock_type::now();
        answered = false;
        control.output(value++);
        QCoreApplication::processEvents(); // the sender's yield
        while (!answered) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        const std::chrono::duration<double, std::micro> trip = clock_type::now() - start;
        trips.push_back(trip.count());
        state.SetIterationTime(trip.count() / 1e6);
    }
    report(state, trips);
}
BENCHMARK(BM_SerialControlRoundTrip)
    ->Iterations(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

void BM_RawPtyRoundTrip(benchmark::State& state) {
    pty_pair line;
    const int slave = ::open(line.slave_path().c_str(), O_RDWR | O_NOCTTY);
    termios raw{};
    if (slave < 0 || ::tcgetattr(slave, &raw) != 0) {
        state.SkipWithError("cannot open the pty");
        return;
    }
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    echo_peer peer(line.master());
    std::vector<double> trips;
    char value = 0;
    for (auto _ : state) {
        const auto start = clock_type::now();
        char reply = 0;
        if (::write(slave, &value, 1) != 1 || ::read(slave, &reply, 1) != 1) {
            state.SkipWithError("pty failed");
            break;
        }
        const std::chrono::duration<double, std::micro> trip = clock_type::now() - start;
        trips.push_back(trip.count());
        state.SetIterationTime(trip.count() / 1e6);
        ++value;
    }
    ::close(slave);
    report(state, trips);
}
BENCHMARK(BM_RawPtyRoundTrip)->Iterations(10000)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
