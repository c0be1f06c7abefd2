// What the simulated handheld reports as it talks to the PC.
#include "handheld/HandheldEvent.h"

#include <sstream>

std::string DescribeEvent(const HandheldEvent& event) {
    std::ostringstream out;
    out << event.atMs << " ms: ";
    const std::string letter = event.letter >= 0x20 && event.letter < 0x7F ? std::string(1, event.letter) : "?";
    switch (event.kind) {
    case HandheldEventKind::Announced:
        out << "announce, packet " << event.packet << ", " << event.length << " bytes";
        break;
    case HandheldEventKind::WrongEcho:
        out << "echo of a wrong length " << event.length << " ignored";
        break;
    case HandheldEventKind::GoSent:
        out << "echo correct, go";
        break;
    case HandheldEventKind::FrameSent:
        out << "frame " << event.block << " sent, " << event.length << " bytes";
        break;
    case HandheldEventKind::NakReceived:
        out << "NAK for frame " << event.block;
        break;
    case HandheldEventKind::NoReply:
        out << "no reply to frame " << event.block << ", sending it again";
        break;
    case HandheldEventKind::BadReply:
        out << "garbled reply to frame " << event.block << ", sending it again";
        break;
    case HandheldEventKind::AckReceived:
        out << "ACK for frame " << event.block;
        break;
    case HandheldEventKind::PacketSent:
        out << "packet " << event.packet << " sent, " << event.length << " bytes";
        break;
    case HandheldEventKind::SectionSent:
        out << "section " << letter << " sent, " << event.length << " bytes";
        break;
    case HandheldEventKind::AnnounceReceived:
        out << "announce of " << event.length << " bytes, echo";
        break;
    case HandheldEventKind::AnnounceRefused:
        out << "announce of " << event.length << " bytes refused: too long";
        break;
    case HandheldEventKind::GoReceived:
        out << "go";
        break;
    case HandheldEventKind::FrameAccepted:
        out << "frame " << event.block << " accepted, " << event.length << " bytes";
        break;
    case HandheldEventKind::BadChecksum:
        out << "frame " << event.block << " has a wrong checksum, NAK";
        break;
    case HandheldEventKind::RepeatAcked:
        out << "frame " << event.block << " again, ACK";
        break;
    case HandheldEventKind::FrameIncomplete:
        out << "frame stopped short, NAK";
        break;
    case HandheldEventKind::ReplyRepeated:
        out << "the PC is silent, reply repeated";
        break;
    case HandheldEventKind::PacketReceived:
        out << "packet " << event.packet << " received, " << event.length << " bytes";
        break;
    case HandheldEventKind::SectionReceived:
        out << "section " << letter << " received, " << event.length << " bytes";
        break;
    case HandheldEventKind::Abandoned:
        out << "the PC fell silent, transfer abandoned";
        break;
    }
    return out.str();
}
