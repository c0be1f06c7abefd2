// Milliseconds for the link's pauses: the real clock and a virtual one.
#pragma once

#include <chrono>
#include <cstdint>

// The link paces its writes and handshakes in milliseconds. Behind this
// interface the program sleeps for real while tests run whole transfers in
// virtual time.
class LinkClock {
public:
    virtual ~LinkClock() = default;

    // A 32-bit millisecond counter; only differences between two readings mean
    // anything, and they stay right when the counter wraps.
    virtual std::uint32_t NowMs() = 0;
    virtual void SleepMs(std::uint32_t ms) = 0;
};

// Sleeps the thread: a transfer spends most of its time in pauses and must not
// keep a processor core busy while it does.
class SystemLinkClock final : public LinkClock {
public:
    SystemLinkClock();
    std::uint32_t NowMs() override;
    void SleepMs(std::uint32_t ms) override;

private:
    std::chrono::steady_clock::time_point m_start;
};

// Time that moves only when someone sleeps or a test advances it, so a paced
// transfer of thousands of bytes takes no real time at all.
class VirtualLinkClock final : public LinkClock {
public:
    explicit VirtualLinkClock(std::uint32_t start = 0) : m_now(start) {}
    std::uint32_t NowMs() override { return m_now; }
    void SleepMs(std::uint32_t ms) override { m_now += ms; }
    void Advance(std::uint32_t ms) { m_now += ms; }

private:
    std::uint32_t m_now;
};

// The one clock the program uses when nothing else is installed.
LinkClock& SystemClock();
