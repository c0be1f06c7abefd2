// A simulated handheld on a simulated 2400-baud line, in virtual time, for the PC side's tests.
#pragma once

#include "handheld/FaultInjector.h"
#include "handheld/FaultPlan.h"
#include "handheld/HandheldEvent.h"
#include "handheld/HandheldMachine.h"
#include "link/LinkClock.h"
#include "link/SerialDevice.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

// The PC's code under test opens the line through Opener() (a ComPort takes
// it as its device opener) and waits on Clock(). Time moves only when that
// clock sleeps or the test calls Run(); while it moves, the line carries the
// bytes (4.17 ms each, one after the other, in each direction) and the
// handheld answers. Everything is deterministic: the same options give the
// same bytes at the same times.
class HandheldSimulation {
public:
    struct Options {
        HandheldMachine::Options handheld;
        FaultPlan faults;
        std::uint32_t startMs = 1000;
        std::uint32_t byteTimeUs = 4167; // 10 bits at 2400 baud
    };

    // One byte on the line, as it arrived at its far end.
    struct WireByte {
        std::uint32_t atMs;
        bool toPc;
        std::uint8_t byte;
    };

    explicit HandheldSimulation(Options options);
    ~HandheldSimulation();
    HandheldSimulation(const HandheldSimulation&) = delete;
    HandheldSimulation& operator=(const HandheldSimulation&) = delete;

    // Opens the PC's end of the line, whatever the name; one open at a time.
    SerialDeviceOpener Opener();
    LinkClock& Clock();

    HandheldMachine& Handheld() { return m_machine; }
    const FaultCounters& Faults() const { return m_faults.Counters(); }
    const std::vector<HandheldEvent>& Events() const { return m_events; }
    const std::vector<WireByte>& Wire() const { return m_wire; }
    // The wire as text, "12345 ms > 3F" (towards the PC) or "< 2E" (from it), one byte a line.
    std::string WireText() const;

    // What the PC's uploads left in the handheld, by section letter; empty when nothing arrived.
    std::string Received(char letter) const;

    std::uint32_t NowMs() const { return static_cast<std::uint32_t>(m_nowUs / 1000); }
    // Lets time pass with the PC doing nothing.
    void Run(std::uint32_t ms);

private:
    class PcEnd;
    class SimulatedClock : public LinkClock {
    public:
        explicit SimulatedClock(HandheldSimulation& simulation) : m_simulation(simulation) {}
        std::uint32_t NowMs() override { return m_simulation.NowMs(); }
        void SleepMs(std::uint32_t ms) override { m_simulation.Run(ms); }

    private:
        HandheldSimulation& m_simulation;
    };
    struct InFlight {
        std::uint64_t atUs;
        std::uint8_t byte;
    };

    void AdvanceTo(std::uint64_t targetUs);
    void Step();
    void PcWrites(std::uint8_t byte);

    Options m_options;
    std::uint64_t m_nowUs;
    HandheldMachine m_machine;
    FaultInjector m_faults;
    SimulatedClock m_clock{*this};
    std::vector<HandheldEvent> m_events;
    std::vector<WireByte> m_wire;

    std::deque<InFlight> m_toHandheld;
    std::deque<InFlight> m_toPc;
    std::uint64_t m_toHandheldFreeUs = 0;
    std::uint64_t m_toPcFreeUs = 0;
    std::deque<std::uint8_t> m_pcInput;
    bool m_deviceOpen = false;
};
