// A simulated handheld on a simulated 2400-baud line, in virtual time, for the PC side's tests.
#include "handheld/HandheldSimulation.h"

#include <algorithm>
#include <cstdio>

// The PC's end of the line. It only queues and takes bytes; time passes on the clock.
class HandheldSimulation::PcEnd final : public SerialDevice {
public:
    explicit PcEnd(HandheldSimulation& simulation) : m_simulation(simulation) { m_simulation.m_deviceOpen = true; }
    ~PcEnd() override {
        m_simulation.m_deviceOpen = false;
        m_simulation.m_pcInput.clear();
    }

    bool ConfigureLine() override {
        m_simulation.m_pcInput.clear();
        return true;
    }
    int BytesWaiting() override { return static_cast<int>(m_simulation.m_pcInput.size()); }
    bool ReadByte(unsigned char& byte) override {
        if (m_simulation.m_pcInput.empty())
            return false;
        byte = m_simulation.m_pcInput.front();
        m_simulation.m_pcInput.pop_front();
        return true;
    }
    bool WriteByte(unsigned char byte) override {
        m_simulation.PcWrites(byte);
        return true;
    }

private:
    HandheldSimulation& m_simulation;
};

HandheldSimulation::HandheldSimulation(Options options)
    : m_options(std::move(options)), m_nowUs(static_cast<std::uint64_t>(m_options.startMs) * 1000),
      m_machine(m_options.handheld, m_options.startMs), m_faults(m_machine, m_options.faults) {
    m_machine.SetObserver([this](const HandheldEvent& event) { m_events.push_back(event); });
}

HandheldSimulation::~HandheldSimulation() = default;

SerialDeviceOpener HandheldSimulation::Opener() {
    return [this](const std::string&) -> std::unique_ptr<SerialDevice> {
        if (m_deviceOpen)
            return nullptr;
        return std::make_unique<PcEnd>(*this);
    };
}

LinkClock& HandheldSimulation::Clock() { return m_clock; }

std::string HandheldSimulation::Received(char letter) const {
    for (auto transfer = m_machine.Transfers().rbegin(); transfer != m_machine.Transfers().rend(); ++transfer)
        if (transfer->received && transfer->letter == letter)
            return transfer->bytes;
    return {};
}

std::string HandheldSimulation::WireText() const {
    std::string text;
    char line[32];
    for (const WireByte& byte : m_wire) {
        std::snprintf(line, sizeof line, "%u ms %c %02X\n", byte.atMs, byte.toPc ? '>' : '<', byte.byte);
        text += line;
    }
    return text;
}

void HandheldSimulation::Run(std::uint32_t ms) { AdvanceTo(m_nowUs + static_cast<std::uint64_t>(ms) * 1000); }

void HandheldSimulation::PcWrites(std::uint8_t byte) {
    const std::uint64_t start = std::max(m_nowUs, m_toHandheldFreeUs);
    m_toHandheldFreeUs = start + m_options.byteTimeUs;
    m_toHandheld.push_back(InFlight{m_toHandheldFreeUs, byte});
}

void HandheldSimulation::AdvanceTo(std::uint64_t targetUs) {
    Step();
    while (m_nowUs < targetUs) {
        // The next moment anything can happen: a byte arriving, the line
        // towards the PC coming free, or the handheld's millisecond tick.
        std::uint64_t next = std::min(targetUs, (m_nowUs / 1000 + 1) * 1000);
        if (!m_toHandheld.empty())
            next = std::min(next, m_toHandheld.front().atUs);
        if (!m_toPc.empty())
            next = std::min(next, m_toPc.front().atUs);
        if (m_toPcFreeUs > m_nowUs)
            next = std::min(next, m_toPcFreeUs);
        m_nowUs = next;
        Step();
    }
}

void HandheldSimulation::Step() {
    const std::uint32_t nowMs = NowMs();
    while (!m_toPc.empty() && m_toPc.front().atUs <= m_nowUs) {
        const std::uint8_t byte = m_toPc.front().byte;
        m_toPc.pop_front();
        m_wire.push_back(WireByte{nowMs, true, byte});
        // Nobody listens while the PC has the port closed.
        if (m_deviceOpen)
            m_pcInput.push_back(byte);
    }
    while (!m_toHandheld.empty() && m_toHandheld.front().atUs <= m_nowUs) {
        const std::uint8_t byte = m_toHandheld.front().byte;
        m_toHandheld.pop_front();
        m_wire.push_back(WireByte{nowMs, false, byte});
        m_faults.FromPc(byte, nowMs);
    }
    m_machine.OnTime(nowMs);
    if (m_options.faults.burst) {
        // Whole messages at once, as a buffering adapter may hand them over.
        while (auto byte = m_faults.NextToPc(nowMs))
            m_toPc.push_back(InFlight{m_nowUs + m_options.byteTimeUs, *byte});
        return;
    }
    if (m_toPcFreeUs <= m_nowUs) {
        if (auto byte = m_faults.NextToPc(nowMs)) {
            m_toPcFreeUs = m_nowUs + m_options.byteTimeUs;
            m_toPc.push_back(InFlight{m_toPcFreeUs, *byte});
        }
    }
}
