#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace vemo::instrument {

// The instrument's end of the line: the master side of a pseudo-terminal pair whose other end the
// program opens like a serial port, or a given device.  Bytes in both directions can be corrupted at a
// given rate to play a noisy cable; the noise is seeded, so a run can be repeated exactly.
class InstrumentPort {
public:
    // Creates a pseudo-terminal pair; PeerPath() is the end to give the program.  When `link` is not
    // empty a symbolic link of that name points to it as well.
    static InstrumentPort CreatePty(const std::string& link);
    // Opens a serial device at 9600 baud, 8 data bits, 2 stop bits, no parity.
    static InstrumentPort OpenDevice(const std::string& path);

    InstrumentPort(InstrumentPort&& other) noexcept;
    ~InstrumentPort();

    const std::string& PeerPath() const { return peerPath_; }
    void SetNoise(double fraction, std::uint32_t seed);

    // Waits until the program has opened the other end of a pseudo terminal (at once for a device).
    void WaitForPeer();
    // Waits up to `timeoutMs` for bytes and reads what is there.  False when the program has closed
    // its end (pseudo terminal only).
    bool Read(std::string& bytes, int timeoutMs);
    void Write(const std::string& bytes);

    std::uint64_t BytesRead() const { return bytesRead_; }
    std::uint64_t BytesWritten() const { return bytesWritten_; }
    std::uint64_t BytesCorrupted() const { return corrupted_; }

private:
    InstrumentPort(int fd, std::string peerPath, bool pty);
    void Corrupt(std::string& bytes);

    int fd_ = -1;
    std::string peerPath_;
    bool pty_ = false;
    double noise_ = 0;
    std::mt19937 rng_;
    std::uint64_t bytesRead_ = 0;
    std::uint64_t bytesWritten_ = 0;
    std::uint64_t corrupted_ = 0;
};

} // namespace vemo::instrument
