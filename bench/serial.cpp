// Sending coordinates to an instrument: 1,000 coordinate records sent and acknowledged one by one over
// a pseudo-terminal pair (the program's driver on one end, an instrument thread answering on the other),
// and the same exchange with both state machines joined in memory, which is what the protocol itself
// costs per record.  A pseudo terminal has no line rate, so the time at 9600 baud is computed from the
// bytes that crossed: 11 bits per byte (start bit, 8 data bits, 2 stop bits).
#include "core/serial/ZubReceiver.h"
#include "core/serial/ZubTransfers.h"
#include "core/text/Numbers.h"
#include "core/zub/ZubChecksum.h"
#include "ui/serial/ZubPortDriver.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace vemo;

constexpr int kRecords = 1000;
constexpr double kBitsPerByte = 11;
constexpr double kBaud = 9600;

ZubSendList SendList() {
    ZubSendList list;
    list.lines.push_back(ZubRecordLine(kZubStartBody));
    for (int i = 1; i <= kRecords; ++i) {
        list.lines.push_back(
            ZubRecordLine(ZubCoordinateBody("T" + std::to_string(i), -23456.789 + i * 1.25, 1234.5 - i * 0.0105)));
    }
    list.lines.push_back(ZubRecordLine(kZubEndBody));
    return list;
}

// The instrument: acknowledges every record until the end record; returns the bytes it wrote.
size_t Answer(int master) {
    ZubReceiver receiver(ZubReceiveKind::AnyRecord);
    size_t written = 0;
    char buffer[512];
    while (receiver.Running()) {
        pollfd p{master, POLLIN, 0};
        if (poll(&p, 1, 5000) <= 0) {
            break;
        }
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        receiver.Feed(std::string_view(buffer, static_cast<size_t>(n)), 0);
        const std::string out = receiver.TakeOutput();
        written += static_cast<size_t>(write(master, out.data(), out.size()));
    }
    return written;
}

size_t WireBytes(const ZubSendList& list) {
    size_t bytes = 0;
    for (const std::string& line : list.lines) {
        bytes += line.size() + 2;
    }
    return bytes;
}

void ReportLine(benchmark::State& state, size_t bytesOnWire) {
    state.counters["per_record_us"] = benchmark::Counter(static_cast<double>(state.iterations()) * kRecords,
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["bytes_on_wire"] = static_cast<double>(bytesOnWire);
    state.counters["s_at_9600_baud"] = static_cast<double>(bytesOnWire) * kBitsPerByte / kBaud;
}

void BM_SendOverPseudoTerminal(benchmark::State& state) {
    const ZubSendList list = SendList();
    size_t answered = 0;
    for (auto _ : state) {
        const int master = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master);
        unlockpt(master);
        std::thread instrument([&] { answered = Answer(master); });
        ZubPortDriver driver;
        QEventLoop loop;
        QObject::connect(&driver, &ZubPortDriver::finished, &loop, &QEventLoop::quit);
        SerialLineSettings settings;
        settings.device = QString::fromLatin1(ptsname(master));
        if (driver.Start(MakeCoordinateSender(list), settings) == ZubPortDriver::PortProblem::None) {
            loop.exec();
        }
        instrument.join();
        close(master);
        if (driver.Link()->State() != ZubLinkState::Succeeded) {
            state.SkipWithError("transfer did not complete");
            break;
        }
    }
    ReportLine(state, WireBytes(list) + answered);
}

void BM_ProtocolInMemory(benchmark::State& state) {
    const ZubSendList list = SendList();
    size_t answered = 0;
    for (auto _ : state) {
        ZubSender sender(list.lines);
        ZubReceiver receiver(ZubReceiveKind::AnyRecord);
        sender.Start(0);
        answered = 0;
        while (sender.Running()) {
            receiver.Feed(sender.TakeOutput(), 0);
            const std::string reply = receiver.TakeOutput();
            answered += reply.size();
            sender.Feed(reply, 0);
        }
        benchmark::DoNotOptimize(receiver.Lines().size());
    }
    ReportLine(state, WireBytes(list) + answered);
}

BENCHMARK(BM_SendOverPseudoTerminal)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ProtocolInMemory)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
