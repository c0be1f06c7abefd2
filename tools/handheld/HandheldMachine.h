// The handheld's end of the link: sends a section when the PC downloads, takes what the PC uploads.
#pragma once

#include "handheld/HandheldEvent.h"
#include "handheld/SectionPackets.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Control bytes of the link.
inline constexpr std::uint8_t kAnnounce = 0x3F;
inline constexpr std::uint8_t kEcho = 0x2E;
inline constexpr std::uint8_t kGo = 0xC0;
inline constexpr std::uint8_t kSoh = 0x01;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr int kFrameDataMax = 128;

// What a byte the handheld transmits belongs to, so that a faulty line can
// pick the byte it spoils.
enum class MessageKind : std::uint8_t { Announce, Echo, Go, Frame, Ack, Nak };

struct OutByte {
    std::uint8_t byte = 0;
    MessageKind kind = MessageKind::Announce;
    int index = 0;  // position inside its message
    int length = 0; // bytes of the whole message
};

// A section that went over the line, one way or the other.
struct CompletedTransfer {
    bool received = false; // true: the PC uploaded it; false: the handheld sent it
    char letter = 0;
    std::string bytes;
    std::uint32_t atMs = 0;
};

// Unlike the PC, the handheld's firmware does not wait for ever: it repeats
// what got no answer and gives up on a PC that has gone away.
struct HandheldTiming {
    std::uint32_t reannounceMs = 150;    // no correct echo: announce again
    std::uint32_t replyTimeoutMs = 1000; // neither ACK nor NAK: send the frame again
    std::uint32_t frameGapMs = 500;      // a frame stopped short: NAK it
    std::uint32_t afterGoMs = 60;        // a packet without frames: input discarded this long after go
    std::uint32_t abandonMs = 5000;      // the PC silent (or making no sense) this long: back to idle
    std::uint32_t repeatMemoryMs = 5000; // a packet's last frame is acknowledged again this long
};

// Event driven: the owner feeds received bytes and the passing time, and takes
// bytes to transmit one at a time when its line can carry the next one. Bytes
// that arrive while the handheld is still transmitting a frame or an announce
// are ignored, as a half-duplex device does.
//
// As sender it announces the chosen section while idle, over and over after a
// rest, and switches to receiving whenever the PC announces first.
class HandheldMachine {
public:
    enum class State {
        Idle,            // nothing going on; as sender, resting before the next announce
        Announcing,      // sender: announce out, waiting for a correct echo
        SendingFrame,    // sender: frame out, waiting for ACK or NAK
        AfterGo,         // sender: a packet without frames, letting stale echoes pass
        Echoed,          // receiver: echo out, waiting for go
        ReceivingFrames, // receiver: inside a packet
        BetweenPackets,  // receiver: waiting for the next packet's announce
    };

    struct Options {
        std::optional<char> sendLetter;     // the section offered to a downloading PC
        bool sendRepeatedly = true;         // offer it again after every finished transfer
        bool receive = true;                // take what the PC uploads
        std::uint32_t startDelayMs = 0;     // before the first announce
        std::uint32_t restMs = 2000;        // after a finished transfer, before announcing again
        std::size_t maxPacketLength = 4096; // the handheld's packet buffer
        HandheldTiming timing;
    };

    HandheldMachine(Options options, std::uint32_t nowMs);

    // The handheld's memory: section bytes by letter, as in its section files.
    void SetSection(char letter, std::string bytes);
    const std::string* Section(char letter) const;
    const std::map<char, std::string>& Sections() const { return m_sections; }
    // False when the section chosen for sending is missing or not a valid run of packets.
    bool CanSend() const;

    void OnByte(std::uint8_t byte, std::uint32_t nowMs);
    void OnTime(std::uint32_t nowMs);
    bool HasOutput() const { return !m_out.empty(); }
    OutByte TakeOutput(std::uint32_t nowMs);

    State CurrentState() const { return m_state; }
    // Receiver: the data length of the frame it waits for (0 outside a packet).
    int ExpectedFrameLength() const;
    std::uint64_t BytesTaken() const { return m_bytesTaken; }
    const std::vector<CompletedTransfer>& Transfers() const { return m_transfers; }
    void SetObserver(std::function<void(const HandheldEvent&)> observer) { m_observer = std::move(observer); }

private:
    void Parse(std::uint32_t nowMs);
    bool ParseIdle(std::uint32_t nowMs);
    bool ParseAnnouncing(std::uint32_t nowMs);
    bool ParseSendingFrame(std::uint32_t nowMs);
    bool ParseEchoed(std::uint32_t nowMs);
    bool ParseFrames(std::uint32_t nowMs);
    // Each Parse... gives false when it needs more bytes before it can go on.
    enum class Parsed { NeedMore, Consumed, NotThis };
    Parsed TakeAnnounce(std::uint32_t nowMs);

    void StartSending(std::uint32_t nowMs);
    void StartPacket(std::uint32_t nowMs);
    void PacketSent(std::uint32_t nowMs);
    void Abandon(std::uint32_t nowMs);
    void Announce(std::uint32_t nowMs);
    void SendFrame(std::uint32_t nowMs);
    void SendGo(std::uint32_t nowMs);
    void FrameAcknowledged(std::uint32_t nowMs);
    void Receive(std::uint16_t length, std::uint32_t nowMs);
    void PacketReceived(std::uint32_t nowMs);
    void Reply(std::uint8_t byte, std::uint32_t nowMs);
    void GoIdle(std::uint32_t nowMs);
    void Enter(State state);
    void Queue(MessageKind kind, const std::string& bytes);
    void DropUnstartedOutput();
    void Report(HandheldEventKind kind, std::uint32_t nowMs, int block = 0, int length = 0, char letter = 0);
    int FrameLength(int block) const;

    Options m_options;
    std::map<char, std::string> m_sections;
    std::vector<CompletedTransfer> m_transfers;
    std::function<void(const HandheldEvent&)> m_observer;

    State m_state = State::Idle;
    std::uint32_t m_restFromMs; // no announce until m_restMs have passed since
    std::uint32_t m_restMs;
    std::uint32_t m_lastHeardMs;    // last byte from the PC
    std::uint32_t m_lastInMs;       // last byte that went into m_in
    std::uint32_t m_lastOutMs;      // last byte handed to the line
    std::uint32_t m_lastProgressMs; // last whole frame understood
    std::deque<OutByte> m_out;
    std::uint64_t m_bytesTaken = 0;
    std::string m_in;                        // received bytes not yet understood
    bool m_unanswered = false;               // receiver: bytes came since its last reply
    std::optional<std::uint8_t> m_lastReply; // receiver: ACK or NAK, repeated if the PC stays silent
    int m_replyRepeats = 0;
    static constexpr int kReplyRepeats = 2;

    // The packet in hand, either way.
    std::uint16_t m_length = 0;
    int m_block = 1;  // sender: frame being sent; receiver: frame expected
    int m_packet = 0; // packets done in this transfer

    // Sender.
    std::string m_sending;
    std::vector<PacketSpan> m_packets;
    std::string m_frame;         // the frame as last sent, for repeats
    bool m_sendFinished = false; // sent once and not to be offered again
    bool m_echoAfterGo = false;  // a correct echo came after the go byte

    // Receiver.
    std::string m_packetBytes;
    std::string m_transferBytes;
    char m_transferLetter = 0;
    struct LastFrame {
        std::uint8_t block;
        int length;
        std::uint32_t atMs;
    };
    std::optional<LastFrame> m_lastFrame; // of the packet received last, in case its ACK got lost
};
