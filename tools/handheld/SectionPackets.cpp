// The packets of a section as the handheld keeps and sends them.
#include "handheld/SectionPackets.h"

std::uint16_t PacketLength(std::string_view header) {
    if (header.size() < 4)
        return 0;
    return static_cast<std::uint16_t>(static_cast<unsigned char>(header[2]) | static_cast<unsigned char>(header[3])
                                                                                  << 8);
}

std::optional<std::vector<PacketSpan>> SplitPackets(std::string_view file) {
    std::vector<PacketSpan> packets;
    std::size_t offset = 0;
    for (;;) {
        if (file.size() - offset < kPacketHeaderSize)
            return std::nullopt;
        std::string_view header = file.substr(offset, kPacketHeaderSize);
        PacketSpan packet;
        packet.offset = offset;
        packet.length = PacketLength(header);
        packet.last = header[4] == kLastPacketMarker;
        if (packet.length != 0 && packet.length < kPacketHeaderSize)
            return std::nullopt;
        packet.fileBytes = packet.length == 0 ? kPacketHeaderSize : packet.length;
        if (file.size() - offset < packet.fileBytes)
            return std::nullopt;
        packets.push_back(packet);
        offset += packet.fileBytes;
        if (packet.last)
            break;
    }
    if (offset != file.size())
        return std::nullopt;
    return packets;
}

const std::vector<SectionName>& SectionNames() {
    static const std::vector<SectionName> names = {
        {kTelephoneLetter, "840.0", "telephone"},
        {kScheduleLetter, "840.1", "schedule"},
        {kErDictLetter, "840.2", "er-dict"},
        {kReDictLetter, "840.3", "re-dict"},
    };
    return names;
}

const SectionName* SectionByLetter(char letter) {
    for (const SectionName& name : SectionNames())
        if (name.letter == letter)
            return &name;
    return nullptr;
}

const SectionName* SectionByOption(std::string_view option) {
    for (const SectionName& name : SectionNames())
        if (option == name.optionName)
            return &name;
    return nullptr;
}
