// What receiving live data costs a frame: the time per packet through the
// socket path (datagram read, sender check, parse, values) for both
// simulators, and a flood of 100,000 packets a second for 10 s at a link
// polled by a 65 ms Qt timer, with the tick interval's 95th percentile and
// the growth of resident memory. The floods run once even under
// bench/run-all.sh's repetitions; their figures are the counters:
//   build/bin/bench_live --benchmark_filter=Flood
#include "live/FlightGearLink.h"
#include "live/XPlaneLink.h"
#include "live/fake/FakeFlightGear.h"
#include "live/fake/FakeXPlane.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <fstream>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int batch = 32;

// Polls until `count` more valid packets have been taken; false if some
// never came (the kernel dropped them).
bool take(LiveLink& link, std::uint64_t count) {
    const std::uint64_t target = link.counters().validPackets + count;
    for (int i = 0; i < 100000 && link.counters().validPackets < target; ++i)
        link.poll();
    return link.counters().validPackets >= target;
}

void perPacket(benchmark::State& state, LiveLink& link, const std::function<void()>& sendBatch) {
    for (auto _ : state) {
        state.PauseTiming();
        sendBatch();
        state.ResumeTiming();
        if (!take(link, batch)) {
            state.SkipWithError("packets lost on loopback");
            break;
        }
    }
    state.counters["per_packet"] = benchmark::Counter(
        batch, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

// An answer with all sixteen default datarefs, as X-Plane sends them.
static void BM_xplanePerPacket(benchmark::State& state) {
    FakeXPlane sim;
    XPlaneLinkOptions options;
    options.simulator = sim.endpoint();
    XPlaneLink link(options);
    link.poll();
    while (sim.subscriptions().size() < xplaneDefaultDatarefCount)
        sim.receive();
    perPacket(state, link, [&] {
        for (int i = 0; i < batch; ++i)
            sim.sendEngine(i * 0.1);
    });
}
BENCHMARK(BM_xplanePerPacket);

// A line of all sixteen properties, as FlightGear sends it.
static void BM_flightgearPerPacket(benchmark::State& state) {
    FlightGearLink link(FlightGearLinkOptions{});
    FakeFlightGear sim(link.local());
    perPacket(state, link, [&] {
        for (int i = 0; i < batch; ++i)
            sim.sendEngine(i * 0.1);
    });
}
BENCHMARK(BM_flightgearPerPacket);

namespace {

long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Sends `rate` datagrams a second to the port for `seconds`, in bursts every
// millisecond, from its own socket (bound before the link is made, so the
// X-Plane link can take it for the simulator).
class Flood {
public:
    Flood() {
        fd_ = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in self{};
        self.sin_family = AF_INET;
        self.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd_, reinterpret_cast<sockaddr*>(&self), sizeof self);
        socklen_t length = sizeof self;
        getsockname(fd_, reinterpret_cast<sockaddr*>(&self), &length);
        port_ = ntohs(self.sin_port);
    }
    ~Flood() {
        if (thread_.joinable())
            thread_.join();
        close(fd_);
    }
    quint16 port() const { return port_; }

    void start(quint16 to, QByteArray datagram, int rate, double seconds) {
        thread_ = std::thread([=, this] {
            sockaddr_in target{};
            target.sin_family = AF_INET;
            target.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            target.sin_port = htons(to);
            const auto start = std::chrono::steady_clock::now();
            const auto end = start + std::chrono::duration<double>(seconds);
            // Catches up whenever it falls behind the rate, in bursts.
            for (auto now = start; now < end; now = std::chrono::steady_clock::now()) {
                const long due = long(std::chrono::duration<double>(now - start).count() * rate);
                while (sent_.load(std::memory_order_relaxed) < due) {
                    sendto(fd_, datagram.constData(), std::size_t(datagram.size()), 0,
                           reinterpret_cast<sockaddr*>(&target), sizeof target);
                    sent_.fetch_add(1, std::memory_order_relaxed);
                }
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        });
    }
    long sent() const { return sent_.load(); }

private:
    int fd_ = -1;
    quint16 port_ = 0;
    std::thread thread_;
    std::atomic<long> sent_{0};
};

// The frame timer's view of a flood: 65 ms ticks, each one poll.
void flood(benchmark::State& state, LiveLink& link, Flood& sender, const QByteArray& datagram,
           int rate) {
    // ZENTOR_FLOOD_SECONDS lengthens the flood, to see that memory stays flat.
    const double seconds = qEnvironmentVariableIsSet("ZENTOR_FLOOD_SECONDS")
                               ? qEnvironmentVariable("ZENTOR_FLOOD_SECONDS").toDouble()
                               : 10.0;
    for (auto _ : state) {
        std::vector<double> intervals;
        QEventLoop loop;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        QElapsedTimer clock;
        double last = -1;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const double now = double(clock.nsecsElapsed()) / 1e6;
            if (last >= 0)
                intervals.push_back(now - last);
            last = now;
            link.poll();
        });
        // A second of ticks first, so that memory the first polls touch
        // is not counted as growth.
        clock.start();
        tick.start(65);
        QTimer::singleShot(1000, &loop, &QEventLoop::quit);
        loop.exec();
        intervals.clear();
        const long before = residentKiB();
        if (rate > 0)
            sender.start(link.local().port, datagram, rate, seconds);
        long halfway = 0;
        QTimer::singleShot(int(seconds * 500), &loop, [&] { halfway = residentKiB(); });
        QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
        loop.exec();
        tick.stop();
        const long after = residentKiB();

        std::sort(intervals.begin(), intervals.end());
        state.counters["tick_p95_ms"] = intervals[intervals.size() * 95 / 100];
        state.counters["tick_max_ms"] = intervals.back();
        state.counters["ticks"] = double(intervals.size());
        state.counters["sent_per_s"] = double(sender.sent()) / seconds;
        state.counters["taken"] = double(link.counters().validPackets);
        state.counters["rss_growth_KiB"] = double(after - before);
        state.counters["rss_growth_2nd_half_KiB"] = double(after - halfway);
        state.counters["live"] = link.stale() ? 0 : 1;
    }
}

} // namespace

static void BM_xplaneFlood(benchmark::State& state) {
    Flood sender;
    XPlaneLinkOptions options;
    options.simulator = {QHostAddress(QHostAddress::LocalHost), sender.port()};
    XPlaneLink link(options);
    std::vector<RrefPair> pairs;
    for (std::int32_t i = 0; i < std::int32_t(xplaneDefaultDatarefCount); ++i)
        pairs.push_back({i, 0.5f});
    const std::vector<std::uint8_t> answer = encodeRrefAnswer(pairs);
    flood(state, link, sender,
          QByteArray(reinterpret_cast<const char*>(answer.data()), qsizetype(answer.size())),
          100000);
}
BENCHMARK(BM_xplaneFlood)->Iterations(1)->Repetitions(1)->Unit(benchmark::kSecond)->UseRealTime();

static void BM_flightgearFlood(benchmark::State& state) {
    Flood sender;
    FlightGearLink link(FlightGearLinkOptions{});
    flood(state, link, sender, FakeFlightGear::engineLine(0), 100000);
}
BENCHMARK(BM_flightgearFlood)
    ->Iterations(1)
    ->Repetitions(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// The same ticks with nothing sent: what the machine itself does to the timer.
static void BM_ticksWithoutFlood(benchmark::State& state) {
    Flood sender;
    FlightGearLink link(FlightGearLinkOptions{});
    flood(state, link, sender, {}, 0);
}
BENCHMARK(BM_ticksWithoutFlood)
    ->Iterations(1)
    ->Repetitions(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
