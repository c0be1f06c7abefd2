// The PC's side of the link played as plainly as it is described, to check the simulated handheld against.
#include "LiteralPc.h"

#include <algorithm>

LiteralPc::LiteralPc(ComPort& port, std::uint32_t budgetMs)
    : m_port(port), m_start(port.Clock().NowMs()), m_budgetMs(budgetMs) {}

bool LiteralPc::TimeLeft() {
    return m_port.Clock().NowMs() - m_start < m_budgetMs;
}

bool LiteralPc::WaitFor(int count) {
    while (m_port.BytesWaiting() < count) {
        if (!TimeLeft())
            return false;
        m_port.Clock().SleepMs(1);
    }
    return true;
}

std::optional<std::uint16_t> LiteralPc::ReceiverHandshake() {
    for (;;) {
        do {
            if (!WaitFor(1))
                return std::nullopt;
        } while (m_port.ReadByte() != 0x3F);
        // The one liberty taken: at line rate the length bytes are still on
        // their way when the announce byte is read, and a receiver that
        // echoes without them never gets in step.
        for (int ms = 0; ms < 50 && m_port.BytesWaiting() < 2; ++ms)
            m_port.Clock().SleepMs(1);
        for (;;) {
            // A length byte that has not arrived yet keeps its last value.
            if (m_port.BytesWaiting() > 0) {
                m_low = m_port.ReadByte();
                if (m_port.BytesWaiting() > 0)
                    m_high = m_port.ReadByte();
            }
            m_port.WriteByte(0x2E);
            m_port.WriteByte(m_low);
            m_port.WriteByte(m_high);
            if (!TimeLeft())
                return std::nullopt;
            if (m_port.BytesWaiting() == 0)
                continue;
            const std::uint8_t byte = m_port.ReadByte();
            if (byte == 0xC0)
                return static_cast<std::uint16_t>(m_high << 8 | m_low);
            if (byte != 0x3F)
                break;
        }
    }
}

bool LiteralPc::ReceiveFrame(int length, std::uint8_t block, std::string& packet, char& marker) {
    for (;;) {
        if (!WaitFor(length + 4))
            return false;
        m_port.ReadByte();
        const std::uint8_t got = m_port.ReadByte();
        m_port.ReadByte();
        std::string data;
        unsigned sum = 0;
        for (int i = 0; i < length; ++i) {
            data += static_cast<char>(m_port.ReadByte());
            sum += static_cast<unsigned char>(data.back());
        }
        const std::uint8_t checksum = m_port.ReadByte();
        if (got != block) {
            m_port.WriteByte(0x06);
            continue;
        }
        if (block == 1 && data.size() > 4)
            marker = data[4];
        if (checksum == (sum & 0xFF)) {
            m_port.WriteByte(0x06);
            packet += data;
            return true;
        }
        m_port.WriteByte(0x15);
    }
}

std::optional<std::string> LiteralPc::Download() {
    std::string section;
    char marker = 'N';
    while (marker != 'L') {
        std::optional<std::uint16_t> length = ReceiverHandshake();
        if (!length)
            return std::nullopt;
        std::string packet;
        for (int remaining = *length, block = 1; remaining > 0; remaining -= 128, ++block)
            if (!ReceiveFrame(std::min(128, remaining), static_cast<std::uint8_t>(block), packet, marker))
                return std::nullopt;
        section += packet;
    }
    return section;
}

bool LiteralPc::SenderHandshake(std::uint16_t length) {
    for (;;) {
        m_port.WriteByte(0x3F);
        m_port.WriteByte(static_cast<std::uint8_t>(length & 0xFF));
        m_port.WriteByte(static_cast<std::uint8_t>(length >> 8));
        m_port.Wait(100);
        const std::uint8_t echo[3] = {m_port.ReadByte(), m_port.ReadByte(), m_port.ReadByte()};
        if (echo[0] == 0x2E && echo[1] == (length & 0xFF) && echo[2] == (length >> 8)) {
            m_port.WriteByte(0xC0);
            m_port.Wait(60);
            while (m_port.BytesWaiting() > 0)
                m_port.ReadByte();
            return true;
        }
        if (!TimeLeft())
            return false;
    }
}

bool LiteralPc::SendFrame(const std::string& data, std::uint8_t block) {
    for (;;) {
        m_port.WriteByte(0x01);
        m_port.WriteByte(block);
        m_port.WriteByte(static_cast<std::uint8_t>(0xFF - block));
        unsigned sum = 0;
        for (char c : data) {
            m_port.WriteByte(static_cast<std::uint8_t>(c));
            sum += static_cast<unsigned char>(c);
        }
        m_port.WriteByte(static_cast<std::uint8_t>(sum & 0xFF));
        if (!WaitFor(1))
            return false;
        if (m_port.ReadByte() == 0x06)
            return true;
    }
}

bool LiteralPc::Upload(const std::string& file) {
    std::size_t offset = 0;
    for (;;) {
        if (file.size() - offset < 5)
            return false;
        const std::uint16_t length = static_cast<std::uint16_t>(static_cast<unsigned char>(file[offset + 2]) |
                                                                static_cast<unsigned char>(file[offset + 3]) << 8);
        const bool last = file[offset + 4] == 'L';
        if (!SenderHandshake(length))
            return false;
        for (std::size_t sent = 0, block = 1; sent < length; sent += 128, ++block)
            if (!SendFrame(file.substr(offset + sent, std::min<std::size_t>(128, length - sent)),
                           static_cast<std::uint8_t>(block)))
                return false;
        offset += length == 0 ? 5 : length;
        if (last)
            return true;
    }
}
