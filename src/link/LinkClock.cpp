// Milliseconds for the link's pauses: the real clock and a virtual one.
#include "link/LinkClock.h"

#include <thread>

SystemLinkClock::SystemLinkClock() : m_start(std::chrono::steady_clock::now()) {}

std::uint32_t SystemLinkClock::NowMs() {
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start);
    return static_cast<std::uint32_t>(elapsed.count());
}

void SystemLinkClock::SleepMs(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

LinkClock& SystemClock() {
    static SystemLinkClock clock;
    return clock;
}
