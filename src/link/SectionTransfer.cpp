// Moving a whole section file over the link.
#include "link/SectionTransfer.h"

#include "app/AtomicFile.h"
#include "app/FileBytes.h"
#include "keyboard/CodePages.h"
#include "records/SectionBackups.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <vector>

namespace {

constexpr int kHeaderSize = 5;
// Block numbers are one byte: beyond this many frames a packet's frames could
// no longer be told apart.
constexpr int kLongestSendablePacket = 255 * wire::kFrameDataMax;

std::uint16_t LengthField(const std::uint8_t* header) {
    return static_cast<std::uint16_t>(header[2] | (header[3] << 8));
}

// A packet of a section file: where it starts and how long it is.
struct Packet {
    std::size_t offset;
    std::uint16_t length; // as its length field says; 0 carries no frames
    std::uint8_t marker;
};

// The packets of a file, or nothing when the file is not a whole run of them.
std::optional<std::vector<Packet>> SplitIntoPackets(const std::vector<std::uint8_t>& file) {
    std::vector<Packet> packets;
    std::size_t offset = 0;
    for (;;) {
        if (file.size() - offset < kHeaderSize)
            return std::nullopt;
        const std::uint8_t* header = file.data() + offset;
        std::uint16_t length = LengthField(header);
        if ((length > 0 && length < kHeaderSize) || length > kLongestSendablePacket)
            return std::nullopt;
        std::size_t size = length == 0 ? kHeaderSize : length;
        if (file.size() - offset < size)
            return std::nullopt;
        packets.push_back({offset, length, header[4]});
        offset += size;
        if (header[4] == wire::kLastPacketMarker)
            return packets;
    }
}

std::string Count(long total, const std::string& text) { return std::to_string(total) + " " + text; }

} // namespace

bool ReceiveSectionFile(LinkProtocol& link, TransferPage& page) {
    const std::filesystem::path directory = page.SectionFile(page.CurrentSection()).parent_path();
    const std::filesystem::path temporary = directory / kDownloadTemporaryName;
    // What a killed download left is never a whole section: it goes, whatever
    // its permissions.
    std::error_code staleError;
    std::filesystem::remove(temporary, staleError);
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
        page.ShowMessage(MessageIcon::Failure, page.Text("50"));
        return false;
    }
    auto fail = [&] {
        out.close();
        std::error_code error;
        std::filesystem::remove(temporary, error);
        return false;
    };

    page.SetProgressRange(0, 8192);
    std::uint8_t marker = 0x4E;
    long total = 0;
    for (;;) {
        page.SetStatus(page.Text("82"));
        std::optional<std::uint16_t> length = link.AwaitPacket();
        if (!length || *length > kPacketBufferSize)
            return fail();
        page.SetStatus(page.Text("83"));

        std::array<std::uint8_t, kPacketBufferSize> buffer{};
        for (int offset = 0, block = 1; offset < *length; offset += wire::kFrameDataMax, ++block) {
            int n = std::min(wire::kFrameDataMax, *length - offset);
            std::span<std::uint8_t> frame(buffer.data() + offset, static_cast<std::size_t>(n));
            if (!link.ReceiveFrame(frame, static_cast<std::uint8_t>(block), marker,
                                   [&page](int section) { page.SetCurrentSection(section); }))
                return fail();
            if (!link.KeepGoing())
                return fail();
            total += n;
            page.SetProgressPos(static_cast<int>(std::min(total / 16, 8192L)));
            page.SetStatus(Count(total, page.Text("70")));
        }
        out.write(reinterpret_cast<const char*>(buffer.data()), *length);
        if (!out)
            return fail();
        if (marker == wire::kLastPacketMarker)
            break;
    }
    page.SetProgressPos(8192);
    out.close();
    if (!out || !SyncFile(temporary))
        return fail();
    const std::filesystem::path target = page.SectionFile(page.CurrentSection());
    if (!ReplaceSectionFileWith(target, temporary)) {
        // The received bytes exist nowhere else now: they stay, and the user learns where.
        const std::filesystem::path kept = KeepReceivedFile(temporary, target);
        page.ShowMessage(MessageIcon::Failure, page.Text("152") + "\r\n" + Utf8ToPc(kept.string()));
        return false;
    }
    return true;
}

bool SendSectionFile(LinkProtocol& link, TransferPage& page) {
    std::optional<std::string> bytes = ReadFileBytes(page.SectionFile(page.CurrentSection()));
    std::vector<std::uint8_t> file;
    std::optional<std::vector<Packet>> packets;
    if (bytes) {
        file.assign(bytes->begin(), bytes->end());
        packets = SplitIntoPackets(file);
    }
    if (!packets) {
        page.ShowMessage(MessageIcon::Failure, page.Text("49"));
        return false;
    }

    page.SetProgressRange(0, static_cast<std::uint16_t>(file.size() / 10));
    long sent = 0;
    for (const Packet& packet : *packets) {
        page.SetStatus(page.Text("82"));
        if (!link.AnnouncePacket(packet.length))
            return false;
        page.SetStatus(page.Text("83"));
        for (int offset = 0, block = 1; offset < packet.length; offset += wire::kFrameDataMax, ++block) {
            int n = std::min(wire::kFrameDataMax, packet.length - offset);
            std::span<const std::uint8_t> frame(file.data() + packet.offset + static_cast<std::size_t>(offset),
                                                static_cast<std::size_t>(n));
            if (!link.SendFrame(frame, static_cast<std::uint8_t>(block)) || !link.KeepGoing())
                return false;
            sent += n;
            page.SetProgressPos(static_cast<int>(sent / 10));
            page.SetStatus(Count(sent, page.Text("69")));
        }
    }
    return true;
}
