// The bytes of a section file: packets of records, as they travel on the link.
#pragma once

#include "records/SectionRecord.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A packet: section letter, packet number, 16-bit length (header included, low
// byte first), end marker; then records, each a 16-bit data length (low byte
// first) and that many data bytes.
inline constexpr std::size_t kPacketHeaderSize = 5;
inline constexpr std::size_t kMaxPacketBody = 2400;   // the handheld's packet buffer
inline constexpr std::size_t kMaxRecordData = 256;    // the handheld's record buffer
inline constexpr std::size_t kPacketBodyLimit = 2394; // a record whose data would pass it opens a new packet
inline constexpr char kMarkerLastPacket = 'L';
inline constexpr char kMarkerMorePackets = 'N';
inline constexpr unsigned char kLockByteLocked = 0xF2;
inline constexpr unsigned char kLockByteUnlocked = 0x72;

struct SectionReadResult {
    std::vector<SectionRecord> records;
    // The file held something no writer makes (a packet length of 1 to 4, a
    // packet or record longer than the handheld's buffers, a record running
    // past its packet, an end before the last packet); the records before the
    // damage are kept, the rest of the file is skipped.
    bool damaged = false;
    // Records (by their place in records) whose last text fields lost their
    // ends, because written back they would not fit the record buffer.
    std::vector<std::size_t> shortened;
};

// Reads the records of a section's file bytes as the Data page shows them: PC
// text through the converter's tables, schedule dates and times as texts, at
// least the section's number of fields.
SectionReadResult ReadSectionBytes(std::string_view bytes, int section, SectionRecord& converter);

// The file bytes of the records, converted through the converter's tables and
// packed into numbered packets. Nothing when a record would not fit the
// handheld's record buffer, since neither the handheld nor the reader could
// take it back.
std::optional<std::string> WriteSectionBytes(const std::vector<SectionRecord>& records, int section,
                                             SectionRecord& converter);
