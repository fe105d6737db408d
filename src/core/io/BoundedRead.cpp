#include "core/io/BoundedRead.h"

#include "core/io/SafeReplace.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vemo {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

ReadResult Failed(ReadFailure failure) {
    ReadResult result;
    result.failure = failure;
    return result;
}

} // namespace

std::string FilePrefix(const std::filesystem::path& path) {
    return msg::InFile(MessagePath(path));
}

void ThrowFileTooLarge(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    throw Error(msg::FileTooLarge(MessagePath(path), maxBytes));
}

ReadResult ReadBoundedFile(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    // Non-blocking, so that opening a FIFO without a writer returns at once; the type is then judged
    // on the open file itself, leaving no gap for a swap between a check and the open.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0) {
        return Failed(errno == ENOENT || errno == ENOTDIR ? ReadFailure::Missing : ReadFailure::Unreadable);
    }
    struct stat st {};
    if (::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return Failed(ReadFailure::Unreadable);
    }
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        ThrowFileTooLarge(path, maxBytes);
    }
    std::string bytes;
    bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return Failed(ReadFailure::Unreadable);
        }
        if (n == 0) {
            break;
        }
        if (bytes.size() + static_cast<size_t>(n) > maxBytes) {
            ThrowFileTooLarge(path, maxBytes);
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ReadResult result;
    result.bytes = std::move(bytes);
    return result;
}

} // namespace vemo
