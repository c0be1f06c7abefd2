// Waiting in a test for something that happens outside it, with a limit instead of a fixed sleep.
#pragma once

#include <chrono>
#include <thread>

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
