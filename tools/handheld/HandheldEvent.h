// What the simulated handheld reports as it talks to the PC.
#pragma once

#include <cstdint>
#include <string>

enum class HandheldEventKind {
    // As sender (the PC downloads).
    Announced,   // length = packet length
    WrongEcho,   // an echo of another length: ignored, the announce is repeated
    GoSent,      // a correct echo came back
    FrameSent,   // block, length; also every repeat
    NakReceived, // block
    NoReply,     // block: neither ACK nor NAK in time, the frame goes again
    BadReply,    // block: a reply that is neither ACK nor NAK, the frame goes again at once
    AckReceived, // block
    PacketSent,  // packet, length
    SectionSent, // letter, length = section bytes
    // As receiver (the PC uploads).
    AnnounceReceived, // length; an echo follows
    AnnounceRefused,  // length: longer than the handheld's packet buffer
    GoReceived,
    FrameAccepted,   // block, length
    BadChecksum,     // block: NAK
    RepeatAcked,     // block: an earlier frame again, ACK
    FrameIncomplete, // the frame stopped short: NAK
    ReplyRepeated,   // no frame after a reply for a while: the reply again
    PacketReceived,  // packet, length
    SectionReceived, // letter, length = section bytes
    // Either.
    Abandoned, // the PC went silent in the middle of a transfer
};

struct HandheldEvent {
    std::uint32_t atMs = 0;
    HandheldEventKind kind = HandheldEventKind::Announced;
    int packet = 0;
    int block = 0;
    int length = 0;
    char letter = 0;
};

// One line of text for the handheld tool's log.
std::string DescribeEvent(const HandheldEvent& event);
