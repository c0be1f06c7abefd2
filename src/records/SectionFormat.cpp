// The bytes of a section file: packets of records, as they travel on the link.
#include "records/SectionFormat.h"

#include "records/ScheduleBytes.h"
#include "records/SchedulePacking.h"
#include "records/Sections.h"

#include <algorithm>
#include <array>

namespace {

std::size_t Word(std::string_view bytes, std::size_t pos) {
    return static_cast<unsigned char>(bytes[pos]) | static_cast<std::size_t>(static_cast<unsigned char>(bytes[pos + 1]))
                                                        << 8;
}

void AppendWord(std::string& out, std::size_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

// The record buffer of the handheld, with room for the packed schedule bytes a
// short record lacks: they read as 0.
using RecordBuffer = std::array<unsigned char, kMaxRecordData + 16>;

// Every run of bytes closed by a 0x00 from start up to the end of the data.
void SplitFields(const RecordBuffer& data, std::size_t start, std::size_t end, std::vector<std::string>& fields) {
    std::string field;
    for (std::size_t i = start; i < end; ++i) {
        if (data[i] == 0) {
            fields.push_back(std::move(field));
            field.clear();
        } else {
            field += static_cast<char>(data[i]);
        }
    }
}

// A schedule record carries no times, the start only, or both; the times byte
// tells which, and where the text begins.
std::size_t ParseSchedule(const RecordBuffer& data, SectionRecord& record) {
    const unsigned char timesByte = data[kDateTimesByte];
    record.m_nLocked = timesByte == 0xEE || timesByte == 0xCE || timesByte == 0x8E;
    std::string date(data.begin(), data.begin() + kPackedDateSize);
    std::string times(kPackedTimesSize, '\0');
    std::size_t textStart;
    if (timesByte == 0x0E || timesByte == 0x8E) {
        times = {0, 0, 23, 59};
        textStart = 6;
    } else if (timesByte == 0x4E || timesByte == 0xCE) {
        times = {static_cast<char>(data[5]), static_cast<char>(data[6]), 23, 59};
        textStart = 8;
    } else {
        times.assign(data.begin() + 5, data.begin() + 9);
        textStart = 10;
    }
    record.m_lstFields.push_back(std::move(date));
    record.m_lstFields.push_back(std::move(times));
    return textStart;
}

void ParseRecord(std::string_view data, int section, SectionRecord& record) {
    // The last data byte is never read: it closes the last field, so a 0x00
    // stands in its place whatever the file holds.
    RecordBuffer buffer{};
    for (std::size_t i = 0; i + 1 < data.size(); ++i)
        buffer[i] = static_cast<unsigned char>(data[i]);
    record.m_lstFields.clear();
    std::size_t textStart = 1;
    if (section == kSectionSchedule)
        textStart = ParseSchedule(buffer, record);
    else
        record.m_nLocked = buffer[0] == kLockByteLocked;
    SplitFields(buffer, textStart, data.size(), record.m_lstFields);
    const std::size_t fieldCount = SectionFieldCount(section);
    if (record.m_lstFields.size() < fieldCount)
        record.m_lstFields.resize(fieldCount);
}

// The data length of a record as it is written: the lock byte (none in the
// schedule, whose lock lives in its times byte), then each of the section's
// fields closed by a 0x00.
std::size_t WrittenLength(int section, const SectionRecord& record) {
    std::size_t length = section == kSectionSchedule ? 0 : 1;
    for (std::size_t f = 0; f < static_cast<std::size_t>(SectionFieldCount(section)); ++f)
        length += record.m_lstFields[f].size() + 1;
    return length;
}

// A record the reader takes can come out longer when written back: a schedule
// record without times gains them, missing fields gain their closing 0x00. So
// that it can still be saved and sent, its last text fields lose their ends
// until its written form fits the record buffer. True when it was shortened.
bool FitRecordBuffer(int section, SectionRecord& record) {
    const std::size_t fieldCount = SectionFieldCount(section);
    const std::size_t firstText = section == kSectionSchedule ? 2 : 0;
    const std::size_t length = WrittenLength(section, record);
    if (length <= kMaxRecordData)
        return false;
    std::size_t excess = length - kMaxRecordData;
    for (std::size_t f = fieldCount; f-- > firstText && excess > 0;) {
        std::string& field = record.m_lstFields[f];
        const std::size_t cut = std::min(excess, field.size());
        field.resize(field.size() - cut);
        excess -= cut;
    }
    return true;
}

// Walks the records of one packet body; false at the first record that does
// not fit the body or the record buffer.
bool ReadPacketRecords(std::string_view body, int section, SectionRecord& converter, SectionReadResult& result) {
    std::vector<SectionRecord>& records = result.records;
    std::size_t offset = 0;
    while (offset < body.size()) {
        if (body.size() - offset < 2)
            return false;
        const std::size_t length = Word(body, offset);
        offset += 2;
        if (length > kMaxRecordData || length > body.size() - offset)
            return false;
        // A zero-length record has not even a lock byte: there is nothing to show.
        if (length > 0) {
            ParseRecord(body.substr(offset, length), section, converter);
            if (FitRecordBuffer(section, converter))
                result.shortened.push_back(records.size());
            converter.ToPcText(static_cast<std::uint8_t>(section), SectionFieldCount(section));
            if (section == kSectionSchedule)
                ScheduleBytesToText(converter);
            records.push_back(std::move(converter)); // moves fields and lock; the tables stay
        }
        offset += length;
    }
    return true;
}

void AppendPacket(std::string& out, int section, int number, std::string_view body, char marker) {
    out += SectionLetter(section);
    out += static_cast<char>(number & 0xFF);
    AppendWord(out, body.size() + kPacketHeaderSize);
    out += marker;
    out += body;
}

} // namespace

SectionReadResult ReadSectionBytes(std::string_view bytes, int section, SectionRecord& converter) {
    SectionReadResult result;
    std::size_t pos = 0;
    for (;;) {
        if (bytes.size() - pos < kPacketHeaderSize) {
            result.damaged = true; // the file ends before the packet marked L
            break;
        }
        const std::string_view header = bytes.substr(pos, kPacketHeaderSize);
        pos += kPacketHeaderSize;
        const std::size_t packetLength = Word(header, 2);
        // A length of 0 is the empty file that the PC creates.
        if (packetLength != 0 &&
            (packetLength < kPacketHeaderSize || packetLength - kPacketHeaderSize > kMaxPacketBody)) {
            result.damaged = true;
            break;
        }
        const std::size_t bodyLength = packetLength == 0 ? 0 : packetLength - kPacketHeaderSize;
        const std::string_view body = bytes.substr(pos, bodyLength);
        pos += body.size();
        if (!ReadPacketRecords(body, section, converter, result) || body.size() < bodyLength) {
            result.damaged = true;
            break;
        }
        if (header[4] == kMarkerLastPacket)
            break;
    }
    return result;
}

std::optional<std::string> WriteSectionBytes(const std::vector<SectionRecord>& records, int section,
                                             SectionRecord& converter) {
    const std::size_t fieldCount = SectionFieldCount(section);
    std::string out;
    std::string body;
    body.reserve(kMaxPacketBody);
    int packetNumber = 0;
    for (const SectionRecord& record : records) {
        converter = record;
        if (section == kSectionSchedule)
            ScheduleTextToBytes(converter);
        converter.ToHandheldText(static_cast<std::uint8_t>(section), static_cast<int>(fieldCount));
        if (converter.m_lstFields.size() < fieldCount)
            converter.m_lstFields.resize(fieldCount);

        const std::size_t length = WrittenLength(section, converter);
        if (length > kMaxRecordData)
            return std::nullopt;
        // The handheld compares the data length, not the length with its two
        // length bytes, so a body can reach 2396 bytes.
        if (body.size() + length > kPacketBodyLimit) {
            AppendPacket(out, section, packetNumber++, body, kMarkerMorePackets);
            body.clear();
        }
        AppendWord(body, length);
        if (section != kSectionSchedule)
            body += static_cast<char>(converter.m_nLocked ? kLockByteLocked : kLockByteUnlocked);
        for (std::size_t f = 0; f < fieldCount; ++f) {
            body += converter.m_lstFields[f];
            body += '\0';
        }
    }
    AppendPacket(out, section, packetNumber, body, kMarkerLastPacket);
    return out;
}
