#include "InstrumentPort.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace vemo::instrument {

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

void MakeRaw(int fd, bool setSpeed) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        Fail("tcgetattr");
    }
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD | CSTOPB;
    if (setSpeed) {
        cfsetispeed(&settings, B9600);
        cfsetospeed(&settings, B9600);
    }
    if (tcsetattr(fd, TCSANOW, &settings) != 0) {
        Fail("tcsetattr");
    }
}

} // namespace

InstrumentPort::InstrumentPort(int fd, std::string peerPath, bool pty)
    : fd_(fd), peerPath_(std::move(peerPath)), pty_(pty) {}

InstrumentPort::InstrumentPort(InstrumentPort&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), peerPath_(std::move(other.peerPath_)), pty_(other.pty_), noise_(other.noise_),
      rng_(other.rng_) {}

InstrumentPort::~InstrumentPort() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

InstrumentPort InstrumentPort::CreatePty(const std::string& link) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        Fail("posix_openpt");
    }
    const std::string peer = ptsname(master);
    // Opening and closing the other end once makes it raw (no echo, no CR to LF) before the program
    // comes, and lets the master tell by a hang-up whether the program holds it open.
    const int slave = open(peer.c_str(), O_RDWR | O_NOCTTY);
    if (slave < 0) {
        Fail("open " + peer);
    }
    MakeRaw(slave, false);
    close(slave);
    if (!link.empty()) {
        unlink(link.c_str());
        if (symlink(peer.c_str(), link.c_str()) != 0) {
            Fail("symlink " + link);
        }
    }
    return InstrumentPort(master, peer, true);
}

InstrumentPort InstrumentPort::OpenDevice(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) {
        Fail("open " + path);
    }
    MakeRaw(fd, true);
    return InstrumentPort(fd, path, false);
}

void InstrumentPort::SetNoise(double fraction, std::uint32_t seed) {
    noise_ = fraction;
    rng_.seed(seed);
}

void InstrumentPort::Corrupt(std::string& bytes) {
    if (noise_ <= 0) {
        return;
    }
    std::bernoulli_distribution hit(noise_);
    std::uniform_int_distribution<int> other(1, 255);
    for (char& c : bytes) {
        if (hit(rng_)) {
            c = static_cast<char>(static_cast<unsigned char>(c) ^ other(rng_)); // always a different byte
            ++corrupted_;
        }
    }
}

void InstrumentPort::WaitForPeer() {
    while (pty_) {
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, 0) >= 0 && (p.revents & POLLHUP) == 0) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool InstrumentPort::Read(std::string& bytes, int timeoutMs) {
    bytes.clear();
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0) {
        return true;
    }
    if (p.revents & POLLIN) {
        char buffer[512];
        const ssize_t n = read(fd_, buffer, sizeof buffer);
        if (n > 0) {
            bytes.assign(buffer, static_cast<size_t>(n));
            bytesRead_ += static_cast<std::uint64_t>(n);
            Corrupt(bytes);
            return true;
        }
    }
    return (p.revents & (POLLHUP | POLLERR)) == 0;
}

void InstrumentPort::Write(const std::string& bytes) {
    std::string out = bytes;
    Corrupt(out);
    size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = write(fd_, out.data() + done, out.size() - done);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) {
                continue;
            }
            Fail("write");
        }
        done += static_cast<size_t>(n);
    }
    bytesWritten_ += out.size();
}

} // namespace vemo::instrument
