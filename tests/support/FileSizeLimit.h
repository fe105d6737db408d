#pragma once

#include <sys/resource.h>

#include <csignal>

namespace vemo::test {

// Runs `body` while the process may write files of at most `bytes` bytes: a write beyond fails with
// EFBIG instead of the signal, so the limit stands in for a disk that fills up during a save.
template <class Body> void WithFileSizeLimit(rlim_t bytes, Body body) {
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
    body();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
}

} // namespace vemo::test
