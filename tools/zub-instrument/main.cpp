// zub-instrument: plays a total station on the serial line so that the transfer commands can be tried
// and tested without one.  It answers and sends ZUB records with the same line rules as the program.
#include "InstrumentOptions.h"
#include "InstrumentPort.h"

#include "core/serial/ZubReceiver.h"
#include "core/serial/ZubSender.h"
#include "core/zub/ZubFile.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

using namespace vemo;
using namespace vemo::instrument;

namespace {

LinkMs Now() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::vector<std::string> RecordLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::unique_ptr<ZubLink> MakeLink(const InstrumentOptions& o) {
    if (!o.receiveFile.empty()) {
        return std::make_unique<ZubReceiver>(ZubReceiveKind::AnyRecord);
    }
    const std::string text = o.canned > 0 ? CannedPointRecords(o.canned) : ReadWhole(o.sendFile);
    return std::make_unique<ZubSender>(RecordLines(text), ZubSendTiming{o.timeoutMs, o.attempts});
}

// Runs the link until it ends or the program closes its end; true when it ended well.
bool Run(InstrumentPort& port, ZubLink& link) {
    link.Start(Now());
    port.Write(link.TakeOutput());
    std::string bytes;
    while (link.Running()) {
        const std::optional<LinkMs> deadline = link.Deadline();
        const int wait = deadline ? static_cast<int>(std::max<LinkMs>(0, *deadline - Now())) : 200;
        if (!port.Read(bytes, wait)) {
            break;
        }
        link.Feed(bytes, Now());
        link.Poll(Now());
        port.Write(link.TakeOutput());
    }
    return link.State() == ZubLinkState::Succeeded;
}

// After the end record the program closes the line; until it does, a repeated end record (its
// acknowledgement was lost) is acknowledged again, so that the program does not try in vain.
void AnswerRepeatsUntilClosed(InstrumentPort& port) {
    auto repeats = std::make_unique<ZubReceiver>(ZubReceiveKind::AnyRecord);
    std::string bytes;
    const LinkMs quietUntil = Now() + 3000;
    while (Now() < quietUntil && port.Read(bytes, 100)) {
        repeats->Feed(bytes, Now());
        port.Write(repeats->TakeOutput());
        if (!repeats->Running()) {
            repeats = std::make_unique<ZubReceiver>(ZubReceiveKind::AnyRecord);
        }
    }
}

void StaySilent(InstrumentPort& port) {
    std::string bytes;
    while (port.Read(bytes, 200)) {
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<InstrumentOptions> options = ParseInstrumentOptions(argc, argv);
    if (!options) {
        return 1;
    }
    try {
        InstrumentPort port = options->device.empty() ? InstrumentPort::CreatePty(options->link)
                                                      : InstrumentPort::OpenDevice(options->device);
        port.SetNoise(options->corrupt, options->seed);
        std::printf("%s\n", port.PeerPath().c_str());
        std::fflush(stdout);
        port.WaitForPeer();
        if (options->silent) {
            StaySilent(port);
            return 0;
        }
        std::unique_ptr<ZubLink> link = MakeLink(*options);
        const bool done = Run(port, *link);
        if (auto* receiver = dynamic_cast<ZubReceiver*>(link.get())) {
            if (done) {
                AnswerRepeatsUntilClosed(port);
            }
            // What came is written even after a cancel, so a test can see how far it got.
            WriteReceivedZub(options->receiveFile, receiver->Lines());
        }
        std::fprintf(stderr, "zub-instrument: %s; %llu bytes read, %llu written, %llu corrupted\n",
                     done ? "transfer complete" : "transfer not complete",
                     static_cast<unsigned long long>(port.BytesRead()),
                     static_cast<unsigned long long>(port.BytesWritten()),
                     static_cast<unsigned long long>(port.BytesCorrupted()));
        return done ? 0 : 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zub-instrument: %s\n", e.what());
        return 1;
    }
}
