// The packets of a section as the handheld keeps and sends them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Section letters, the first byte of every packet.
inline constexpr char kTelephoneLetter = 'T';
inline constexpr char kScheduleLetter = 'S';
inline constexpr char kErDictLetter = 'E';
inline constexpr char kReDictLetter = 'R';
// Byte 4 of a packet's header: 'L' on the last packet, 'N' (or anything else) before it.
inline constexpr char kLastPacketMarker = 'L';
inline constexpr char kMorePacketsMarker = 'N';
inline constexpr std::size_t kPacketHeaderSize = 5;

// One packet inside a section file. A packet whose length field is 0 still
// occupies its five header bytes in the file but puts nothing on the line.
struct PacketSpan {
    std::size_t offset = 0;
    std::size_t length = 0;    // the header's length field: bytes that travel
    std::size_t fileBytes = 0; // bytes it occupies in the file
    bool last = false;
};

std::uint16_t PacketLength(std::string_view header);

// The packets of a section file, or nothing when the bytes are not a run of
// whole packets that ends with the one marked last (a length of 1 to 4, a
// packet cut short, bytes after the last packet, or no last packet at all).
std::optional<std::vector<PacketSpan>> SplitPackets(std::string_view file);

// The handheld's sections by letter and the file each is kept in ("840.0" for T ... "840.3" for R).
struct SectionName {
    char letter;
    const char* fileName;
    const char* optionName; // as the handheld tool's --send names it
};
const std::vector<SectionName>& SectionNames();
const SectionName* SectionByLetter(char letter);
const SectionName* SectionByOption(std::string_view option);
