// Waiting in a test for something that happens outside it, with a limit instead of a fixed sleep.
#pragma once

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include <poll.h>
#include <unistd.h>

// Checks `condition` every millisecond until it holds or `limitMs` of real
// time have passed; gives the last result.
template <typename Condition> bool PollUntil(Condition condition, int limitMs = 3000) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Appends what arrives on the file descriptor to `into` until `wanted()`, the
// most bytes still to read, is 0; false when `limitMs` pass or the other end
// closes first. Never reads more than it is asked for, so that the next read
// finds the rest.
template <typename Wanted> bool ReadUntil(int fd, std::string& into, Wanted wanted, int limitMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (const std::size_t count = wanted()) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (fd < 0 || left.count() <= 0)
            return false;
        pollfd readable{fd, POLLIN, 0};
        if (poll(&readable, 1, static_cast<int>(left.count())) <= 0)
            continue;
        char buffer[512];
        const ssize_t got = read(fd, buffer, std::min(sizeof buffer, count));
        if (got <= 0)
            return false;
        into.append(buffer, static_cast<std::size_t>(got));
    }
    return true;
}
